#include "lists/listSelection.h"

void ListSelection::SelectAll()
{
    const int count = model()->rowCount();
    if (count > 0)
        select(QItemSelection(model()->index(0, 0), model()->index(count - 1, 0)),
               QItemSelectionModel::Select);
}

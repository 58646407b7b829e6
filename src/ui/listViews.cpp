#include "ui/listViews.h"

#include <QListView>

namespace listViews {

void Configure(QListView& view, QAbstractItemView::SelectionMode mode)
{
    view.setUniformItemSizes(true);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setSelectionMode(mode);
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

} // namespace listViews

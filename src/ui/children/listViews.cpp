#include "ui/children/listViews.h"

#include "ui/children/widestRowDelegate.h"

#include <QListView>

namespace listViews {

void Configure(QListView& view, QAbstractItemView::SelectionMode mode)
{
    view.setUniformItemSizes(true);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setSelectionMode(mode);
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view.setItemDelegate(new WidestRowDelegate(view));
}

} // namespace listViews

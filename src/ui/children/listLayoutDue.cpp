#include "ui/children/listLayoutDue.h"

#include <QListView>

void ListLayoutDue::Watch(QListView& view)
{
    view_ = &view;
    const QAbstractItemModel* model = view.model();
    const auto due = [this] { due_ = true; };
    connect(model, &QAbstractItemModel::rowsInserted, this, due);
    connect(model, &QAbstractItemModel::rowsRemoved, this, due);
    connect(model, &QAbstractItemModel::modelReset, this, due);
}

void ListLayoutDue::LayOutIfDue()
{
    if (!due_ || !view_)
        return;
    due_ = false;
    view_->doItemsLayout();
}

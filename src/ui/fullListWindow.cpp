#include "ui/fullListWindow.h"

#include "ui/listViews.h"

#include <QListView>

FullListWindow::FullListWindow(const QString& internalName, const QString& placePrefix, QWidget* parent)
    : ChildWindow(internalName, placePrefix, parent)
{}

void FullListWindow::TakeList(QListView& list, const QString& accessibleName,
                              QAbstractItemView::SelectionMode mode)
{
    list_ = &list;
    listViews::Configure(list, mode);
    list.setAccessibleName(accessibleName);
    layoutDue_.Watch(list);
    OpenPopupOn(&list);
}

void FullListWindow::BeforePaint()
{
    layoutDue_.LayOutIfDue();
}

QList<QWidget*> FullListWindow::FontTargets() const
{
    return {list_};
}

void FullListWindow::LayOut(double clientWidth, double clientHeight)
{
    if (const auto place = childLayout::FullList(clientWidth, clientHeight))
        Put(list_, *place);
}

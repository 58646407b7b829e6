#include "ui/children/fullListWindow.h"

#include "ui/children/listViews.h"

#include <QListView>

FullListWindow::FullListWindow(const QString& internalName, const QString& placePrefix, QWidget* parent)
    : ChildWindow(internalName, placePrefix, parent)
{}

void FullListWindow::TakeList(QListView& list, const QString& tip, QAbstractItemView::SelectionMode mode)
{
    list_ = &list;
    listViews::Configure(list, mode);
    Describe(&list, tip);
    layoutDue_.Watch(list);
    OpenPopupOn(&list);
}

void FullListWindow::BeforePaint()
{
    layoutDue_.LayOutIfDue();
}

void FullListWindow::LayOut(double clientWidth, double clientHeight)
{
    if (const auto place = childLayout::FullList(clientWidth, clientHeight))
        Put(list_, *place);
}

#include "ui/fullListWindow.h"

#include "ui/listViews.h"
#include "ui/presentation.h"

#include <QListView>

FullListWindow::FullListWindow(const QString& internalName, const QString& placePrefix, QWidget* parent)
    : ChildWindow(internalName, placePrefix, parent)
{}

void FullListWindow::TakeList(QListView& list, const QString& tip, QAbstractItemView::SelectionMode mode)
{
    list_ = &list;
    tip_ = tip;
    listViews::Configure(list, mode);
    list.setAccessibleName(tip);
    layoutDue_.Watch(list);
    OpenPopupOn(&list);
}

void FullListWindow::BeforePaint()
{
    layoutDue_.LayOutIfDue();
}

void FullListWindow::ApplyTooltips(bool show)
{
    presentation::ApplyTooltips({{list_, tip_}}, show);
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

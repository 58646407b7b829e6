#pragma once

#include "ui/children/childWindow.h"
#include "ui/children/listLayoutDue.h"

#include <QAbstractItemView>

class QListView;

// A child window that is one list filling it, inside the margin: the
// execution history and the output file list. The list is kept laid out
// for every paint while rows come in.
class FullListWindow : public ChildWindow {
    Q_OBJECT
public:
    void BeforePaint() override;

protected:
    FullListWindow(const QString& internalName, const QString& placePrefix, QWidget* parent);

    // The window's list, made by the window with itself as parent, with the
    // model it shows already set. Its popup is the window's; `tip` names it
    // for screen readers and is its tooltip while tooltips are on.
    void TakeList(QListView& list, const QString& tip, QAbstractItemView::SelectionMode mode);

    void LayOut(double clientWidth, double clientHeight) override;

private:
    QListView* list_ = nullptr;
    ListLayoutDue layoutDue_;
};

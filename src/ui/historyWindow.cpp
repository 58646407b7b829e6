#include "ui/historyWindow.h"

#include "ui/listViews.h"
#include "ui/presentation.h"
#include "util/programMessages.h"
#include "util/sharedMessages.h"

#include <QListView>
#include <QMenu>
#include <QTimer>

using messages::ProgramMessage;

HistoryWindow::HistoryWindow(QWidget* parent)
    : ChildWindow(QStringLiteral("mdiStatus"), QStringLiteral("Status"), parent), list_(new QListView(this))
{
    setWindowTitle(messages::Text(ProgramMessage::HistoryCaption));
    list_->setObjectName(QStringLiteral("lstKekka"));
    list_->setModel(&history_.Model());
    list_->setSelectionModel(&history_.SelectionModel());
    listViews::Configure(*list_, QAbstractItemView::SingleSelection);
    list_->setAccessibleName(messages::Text(ProgramMessage::HistoryTip));
    OpenPopupOn(list_);
    Popup()->addAction(messages::Text(messages::SharedMessage::ClearMenu), this,
                       [this] { history_.Clear(); });
    // Many lines can arrive between two paints; the newest is brought into
    // view once per turn of the event loop.
    connect(&history_, &HistoryModel::LineAdded, this, [this] {
        if (showPending_)
            return;
        showPending_ = true;
        QTimer::singleShot(0, this, [this] { ShowSelectedLine(); });
    });
}

void HistoryWindow::ShowSelectedLine()
{
    showPending_ = false;
    const int selected = history_.SelectedIndex();
    if (selected >= 0)
        list_->scrollTo(history_.Model().index(selected));
}

void HistoryWindow::ApplyTooltips(bool show)
{
    presentation::ApplyTooltips({{list_, messages::Text(ProgramMessage::HistoryTip)}}, show);
}

QList<QWidget*> HistoryWindow::FontTargets() const
{
    return {list_};
}

void HistoryWindow::LayOut(double clientWidth, double clientHeight)
{
    if (const auto place = childLayout::FullList(clientWidth, clientHeight))
        Put(list_, *place);
}

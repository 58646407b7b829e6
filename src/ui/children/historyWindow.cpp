#include "ui/children/historyWindow.h"

#include "util/programMessages.h"
#include "util/sharedMessages.h"

#include <QListView>
#include <QMenu>
#include <QTimer>

using messages::ProgramMessage;

namespace {

// One frame of a usual screen.
constexpr int kFrameMilliseconds = 16;

} // namespace

HistoryWindow::HistoryWindow(QWidget* parent)
    : FullListWindow(QStringLiteral("mdiStatus"), QStringLiteral("Status"), parent),
      list_(new QListView(this))
{
    setWindowTitle(messages::Text(ProgramMessage::HistoryCaption));
    list_->setObjectName(QStringLiteral("lstKekka"));
    // The view keeps a selection of its own that follows the history's once
    // a frame: moving it with every line would lay the whole list out again
    // for every line.
    list_->setModel(&history_.Model());
    TakeList(*list_, messages::Text(ProgramMessage::HistoryTip), QAbstractItemView::SingleSelection);
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!showing_)
                    history_.SetSelectedIndex(current.row());
            });
    Popup()->addAction(messages::Text(messages::SharedMessage::ClearMenu), this,
                       [this] { history_.Clear(); });
    // Many lines can arrive within one frame of the screen; the newest is
    // brought into view once per frame (the view lays all lines out again
    // to do it).
    showLine_.setSingleShot(true);
    showLine_.setInterval(kFrameMilliseconds);
    connect(&showLine_, &QTimer::timeout, this, &HistoryWindow::ShowSelectedLine);
    connect(&history_, &HistoryModel::LineAdded, this, [this] {
        if (!showLine_.isActive())
            showLine_.start();
    });
}

void HistoryWindow::ShowSelectedLine()
{
    showLine_.stop();
    showing_ = true;
    const int selected = history_.SelectedIndex();
    if (selected >= 0) {
        const QModelIndex line = history_.Model().index(selected);
        list_->selectionModel()->setCurrentIndex(line, QItemSelectionModel::ClearAndSelect);
        list_->scrollTo(line);
    } else {
        list_->selectionModel()->clear();
    }
    showing_ = false;
}

void HistoryWindow::BeforePaint()
{
    FullListWindow::BeforePaint();
    // The newest line shows in the same paint as the lines before it.
    if (showLine_.isActive())
        ShowSelectedLine();
}

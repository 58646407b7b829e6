#include "ui/children/outputListWindow.h"

#include "ui/children/busyPointer.h"
#include "util/programMessages.h"
#include "util/sharedMessages.h"

#include <QCoreApplication>
#include <QDrag>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

using messages::ProgramMessage;
using messages::SharedMessage;

FileDragListView::FileDragListView(OutputListModel& output, QWidget* parent)
    : QListView(parent), output_(output)
{
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
}

QMimeData* FileDragListView::DraggedFiles() const
{
    QList<QUrl> urls;
    for (const QString& path : output_.SelectedPaths())
        urls.append(QUrl::fromLocalFile(path));
    auto* data = new QMimeData;
    data->setUrls(urls);
    return data;
}

void FileDragListView::startDrag(Qt::DropActions)
{
    auto* drag = new QDrag(this);
    drag->setMimeData(DraggedFiles());
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}

OutputListWindow::OutputListWindow(QWidget* parent)
    : FullListWindow(QStringLiteral("mdiOutFile"), QStringLiteral("OutFile"), parent),
      list_(new FileDragListView(output_, this))
{
    setWindowTitle(messages::Text(ProgramMessage::OutputListCaption));
    list_->setObjectName(QStringLiteral("lstOutFile"));
    list_->setModel(&output_.Model());
    list_->setSelectionModel(&output_.SelectionModel());
    TakeList(*list_, messages::Text(ProgramMessage::OutputListTip), QAbstractItemView::ExtendedSelection);
    Popup()->addAction(messages::Text(SharedMessage::ClearMenu), this, [this] { output_.Clear(); });
    // This item's caption is the window's own, not the catalogue's; the same
    // Japanese text shares the catalogue's translation.
    Popup()->addAction(QCoreApplication::translate("messages", "リフレッシュ"), this, [this] {
        const BusyPointer busy;
        output_.Refresh();
    });
    Popup()->addAction(messages::Text(SharedMessage::SelectAllMenu), this,
                       [this] { output_.SelectionModel().SelectAll(); });
    Popup()->addAction(messages::Text(SharedMessage::SelectNoneMenu), this,
                       [this] { output_.SelectionModel().clearSelection(); });
}

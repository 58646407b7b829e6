#include "ui/children/workListWindow.h"

#include "ui/children/listViews.h"
#include "util/paths.h"
#include "util/programMessages.h"
#include "util/sharedMessages.h"

#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

using messages::ProgramMessage;
using messages::SharedMessage;

namespace {

bool OffersFiles(const QMimeData* data)
{
    return data && data->hasUrls();
}

} // namespace

FileDropListView::FileDropListView(QWidget* parent) : QListView(parent)
{
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setDropIndicatorShown(false);
}

void FileDropListView::dragEnterEvent(QDragEnterEvent* event)
{
    dragMoveEvent(event);
}

void FileDropListView::dragMoveEvent(QDragMoveEvent* event)
{
    if (OffersFiles(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void FileDropListView::dropEvent(QDropEvent* event)
{
    if (!OffersFiles(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit FilesDropped(event->mimeData()->urls());
}

void FileDropListView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: emit EnterPressed(); return;
    case Qt::Key_Delete: emit DeletePressed(); return;
    default: QListView::keyPressEvent(event);
    }
}

WorkListWindow::WorkListWindow(std::function<bool(const QString&)> typeCheck, QWidget* parent)
    : ChildWindow(QStringLiteral("mdiFile"), QStringLiteral("File"), parent), work_(std::move(typeCheck)),
      list_(new FileDropListView(this)), removeSelected_(new QPushButton(QStringLiteral("×"), this)),
      removeAll_(new QPushButton(QStringLiteral("××"), this))
{
    setWindowTitle(messages::Text(ProgramMessage::WorkListCaption));
    list_->setObjectName(QStringLiteral("lstFile"));
    list_->setModel(&work_.Model());
    list_->setSelectionModel(&work_.SelectionModel());
    listViews::Configure(*list_, QAbstractItemView::ExtendedSelection);
    removeSelected_->setObjectName(QStringLiteral("btnDel"));
    removeAll_->setObjectName(QStringLiteral("btnDelAll"));
    Describe(list_, messages::Text(ProgramMessage::WorkListTip));
    Describe(removeSelected_, messages::Text(ProgramMessage::RemoveSelectedTip));
    Describe(removeAll_, messages::Text(ProgramMessage::RemoveAllTip));

    connect(list_, &FileDropListView::FilesDropped, this, &WorkListWindow::AddDropped);
    connect(list_, &FileDropListView::DeletePressed, this, &WorkListWindow::RemoveSelected);
    connect(list_, &FileDropListView::EnterPressed, this, &WorkListWindow::MoveOnRequested);
    connect(removeSelected_, &QPushButton::clicked, this, &WorkListWindow::RemoveSelected);
    connect(removeAll_, &QPushButton::clicked, this, &WorkListWindow::RemoveAll);
    // A run brings the entry it is about to convert to the top of the list.
    connect(&work_, &WorkListModel::TopIndexRequested, this, [this](int index) {
        list_->scrollTo(work_.Model().index(index), QAbstractItemView::PositionAtTop);
    });

    OpenPopupOn(list_);
    Popup()->addAction(messages::Text(SharedMessage::SelectAllMenu), this, [this] { work_.SelectAll(); });
    Popup()->addAction(messages::Text(SharedMessage::SelectNoneMenu), this,
                       [this] { work_.ClearSelection(); });
    Popup()->addAction(messages::Text(ProgramMessage::WorkSameAsOutputFolder), this, [this] {
        const QString folder = FirstSelectedFolder();
        if (!folder.isEmpty())
            emit OutputFolderRequested(folder);
    });
    Popup()->addAction(messages::Text(ProgramMessage::WorkSameAsInputFolder), this, [this] {
        const QString folder = FirstSelectedFolder();
        if (!folder.isEmpty())
            emit InputFolderRequested(folder);
    });
}

QString WorkListWindow::FirstSelectedFolder() const
{
    const QString path = work_.FirstSelected();
    return path.isEmpty() ? QString() : paths::GetFolderPart(path);
}

void WorkListWindow::AddDropped(const QList<QUrl>& urls)
{
    for (const QUrl& url : urls) {
        if (url.isLocalFile() && !work_.AddFromOutside(url.toLocalFile()))
            break;
    }
    emit EntriesChanged();
}

void WorkListWindow::RemoveSelected()
{
    work_.RemoveSelected();
    emit EntriesChanged();
}

void WorkListWindow::RemoveAll()
{
    work_.Clear();
    emit EntriesChanged();
}

void WorkListWindow::LayOut(double clientWidth, double clientHeight)
{
    const QList<QPushButton*> buttons{removeSelected_, removeAll_};
    QList<int> widths;
    for (QPushButton* button : buttons)
        widths.append(ToTwips(button->sizeHint().width()));
    const auto layout = childLayout::ListWithButtons(clientWidth, clientHeight, widths,
                                                     ToTwips(removeSelected_->sizeHint().height()));
    if (!layout)
        return;
    Put(list_, layout->list);
    for (int i = 0; i < buttons.size(); ++i) {
        buttons[i]->resize(buttons[i]->sizeHint());
        Put(buttons[i],
            {layout->buttons[i].left, layout->buttons[i].top, ToTwips(buttons[i]->sizeHint().width()),
             ToTwips(buttons[i]->sizeHint().height())});
    }
}

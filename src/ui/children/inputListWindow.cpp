#include "ui/children/inputListWindow.h"

#include "ui/children/busyPointer.h"
#include "ui/children/listViews.h"
#include "util/programMessages.h"
#include "util/sharedMessages.h"

#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>

using messages::ProgramMessage;
using messages::SharedMessage;

InputListWindow::InputListWindow(InputListModel::AddToWorkList addToWorkList, QWidget* parent)
    : ChildWindow(QStringLiteral("mdiinFile"), QStringLiteral("InFile"), parent),
      addToWorkList_(std::move(addToWorkList)), list_(new QListView(this)),
      addSelected_(new QPushButton(QStringLiteral("↓"), this)),
      addAll_(new QPushButton(QStringLiteral("↓↓"), this)),
      addWithSubfolders_(new QPushButton(QStringLiteral("↓↓↓"), this))
{
    setWindowTitle(messages::Text(ProgramMessage::InputListCaption));
    list_->setObjectName(QStringLiteral("filFile"));
    list_->setModel(&input_.Model());
    list_->setSelectionModel(&input_.SelectionModel());
    listViews::Configure(*list_, QAbstractItemView::ExtendedSelection);
    list_->installEventFilter(this);
    addSelected_->setObjectName(QStringLiteral("btnAdd"));
    addAll_->setObjectName(QStringLiteral("btnAddAll"));
    addWithSubfolders_->setObjectName(QStringLiteral("btnAddAllAll"));
    Describe(list_, messages::Text(ProgramMessage::InputListTip));
    // The arrows of the buttons say nothing to a screen reader.
    Describe(addSelected_, messages::Text(ProgramMessage::AddSelectedTip));
    Describe(addAll_, messages::Text(ProgramMessage::AddAllTip));
    Describe(addWithSubfolders_, messages::Text(ProgramMessage::AddAllWithSubfoldersTip));
    connect(addSelected_, &QPushButton::clicked, this, &InputListWindow::AddSelected);
    connect(addAll_, &QPushButton::clicked, this, &InputListWindow::AddAll);
    connect(addWithSubfolders_, &QPushButton::clicked, this, &InputListWindow::AddWithSubfolders);
    // A double click takes the archive, as the add button would.
    connect(list_, &QListView::doubleClicked, this, &InputListWindow::AddSelected);

    OpenPopupOn(list_);
    Popup()->addAction(messages::Text(SharedMessage::RefreshMenu), this, [this] { input_.Reread(); });
    Popup()->addAction(messages::Text(SharedMessage::SelectAllMenu), this,
                       [this] { input_.SelectionModel().SelectAll(); });
    Popup()->addAction(messages::Text(SharedMessage::SelectNoneMenu), this,
                       [this] { input_.SelectionModel().clearSelection(); });
}

void InputListWindow::ShowFolder(const QString& folder)
{
    if (!input_.SetFolder(folder))
        input_.SetFolder(QDir::currentPath());
}

void InputListWindow::MakePattern(const ArchiveTypes& types)
{
    input_.SetPattern(types.MakePattern());
}

void InputListWindow::AddSelected()
{
    const BusyPointer busy;
    input_.AddSelected(addToWorkList_);
    emit WorkListChanged();
}

void InputListWindow::AddAll()
{
    const BusyPointer busy;
    input_.AddAll(addToWorkList_);
    emit WorkListChanged();
}

void InputListWindow::AddWithSubfolders()
{
    const BusyPointer busy;
    input_.AddWithSubfolders(addToWorkList_);
    emit WorkListChanged();
}

QList<QPushButton*> InputListWindow::Buttons() const
{
    return {addSelected_, addAll_, addWithSubfolders_};
}

void InputListWindow::LayOut(double clientWidth, double clientHeight)
{
    QList<int> widths;
    for (QPushButton* button : Buttons())
        widths.append(ToTwips(button->sizeHint().width()));
    const int buttonHeight = ToTwips(addSelected_->sizeHint().height());
    const auto layout = childLayout::ListWithButtons(clientWidth, clientHeight, widths, buttonHeight);
    if (!layout)
        return;
    Put(list_, layout->list);
    for (int i = 0; i < Buttons().size(); ++i)
        Put(Buttons()[i], {layout->buttons[i].left, layout->buttons[i].top, widths[i], buttonHeight});
}

bool InputListWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit MoveOnRequested();
            return true;
        }
    }
    return ChildWindow::eventFilter(watched, event);
}

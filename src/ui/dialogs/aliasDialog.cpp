#include "ui/dialogs/aliasDialog.h"

#include "platform/dialogs.h"
#include "platform/services.h"
#include "util/paths.h"
#include "util/sharedMessages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

using messages::SharedMessage;

QToolButton* NewPictureButton(const QString& objectName, QStyle::StandardPixmap picture, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setIcon(parent->style()->standardIcon(picture));
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

} // namespace

AliasDialog::AliasDialog(QWidget* parent)
    : QDialog(parent), Presentable(static_cast<QWidget&>(*this)), place_(*this, QStringLiteral("MenuMente"))
{
    setObjectName(QStringLiteral("frmMenuMente"));

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lbxMenu"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    folder_ = new QLineEdit(this);
    folder_->setObjectName(QStringLiteral("txtDir"));
    folder_->setReadOnly(true);
    rename_ = new QPushButton(messages::Text(SharedMessage::RenameAlias), this);
    rename_->setObjectName(QStringLiteral("btnName"));
    rename_->setAutoDefault(false);
    up_ = NewPictureButton(QStringLiteral("btnUp"), QStyle::SP_ArrowUp, this);
    down_ = NewPictureButton(QStringLiteral("btnDown"), QStyle::SP_ArrowDown, this);
    delete_ = NewPictureButton(QStringLiteral("btnDel"), QStyle::SP_DialogDiscardButton, this);
    deleteAll_ = NewPictureButton(QStringLiteral("btnDelAll"), QStyle::SP_TrashIcon, this);
    ok_ = new QPushButton(messages::Text(SharedMessage::OkButton), this);
    ok_->setObjectName(QStringLiteral("btnOk"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(messages::Text(SharedMessage::CancelButton), this);
    cancel_->setObjectName(QStringLiteral("btnCancel"));
    cancel_->setAutoDefault(false);
    Describe(list_, messages::Text(SharedMessage::AliasListTip));
    Describe(folder_, messages::Text(SharedMessage::AliasFolderTip));
    Describe(up_, messages::Text(SharedMessage::MoveAliasUpTip));
    Describe(down_, messages::Text(SharedMessage::MoveAliasDownTip));
    Describe(delete_, messages::Text(SharedMessage::DeleteAliasTip));
    Describe(deleteAll_, messages::Text(SharedMessage::DeleteAllAliasesTip));
    Tip(rename_, messages::Text(SharedMessage::RenameAliasTip));
    Tip(ok_, messages::Text(SharedMessage::OkButtonTip));
    Tip(cancel_, messages::Text(SharedMessage::CancelButtonTip));

    auto* moves = new QVBoxLayout;
    for (QToolButton* button : {up_, down_, delete_, deleteAll_})
        moves->addWidget(button);
    moves->addStretch();
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(list_, 1);
    listRow->addLayout(moves);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(rename_);
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(listRow, 1);
    layout->addWidget(folder_);
    layout->addLayout(buttons);

    connect(list_, &QListWidget::currentRowChanged, this, &AliasDialog::ShowSelectedFolder);
    connect(rename_, &QPushButton::clicked, this, &AliasDialog::Rename);
    connect(up_, &QToolButton::clicked, this, &AliasDialog::MoveUp);
    connect(down_, &QToolButton::clicked, this, &AliasDialog::MoveDown);
    connect(delete_, &QToolButton::clicked, this, &AliasDialog::Delete);
    connect(deleteAll_, &QToolButton::clicked, this, &AliasDialog::DeleteAll);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void AliasDialog::SetAliases(const QString& windowCaption, const folders::FolderAliases& aliases)
{
    setWindowTitle(windowCaption + messages::Text(SharedMessage::AliasDialogCaptionTail));
    aliases_ = aliases.All();
    ShowList(0);
    (list_->isEnabled() ? static_cast<QWidget*>(list_) : cancel_)->setFocus();
}

folders::FolderAliases AliasDialog::Aliases() const
{
    return folders::FolderAliases(aliases_);
}

void AliasDialog::ShowList(int selected)
{
    list_->clear();
    for (const folders::FolderAlias& alias : aliases_)
        list_->addItem(alias.name);
    if (!aliases_.isEmpty())
        list_->setCurrentRow(std::clamp(selected, 0, static_cast<int>(aliases_.size()) - 1));
    ShowSelectedFolder();
    UpdateControls();
}

void AliasDialog::ShowSelectedFolder()
{
    const int row = list_->currentRow();
    folder_->setText(row >= 0 && row < aliases_.size() ? paths::ShortenPath(aliases_[row].folder)
                                                       : QString());
}

void AliasDialog::UpdateControls()
{
    const bool any = !aliases_.isEmpty();
    for (QWidget* control :
         std::initializer_list<QWidget*>{folder_, list_, up_, down_, delete_, deleteAll_, rename_})
        control->setEnabled(any);
}

void AliasDialog::Rename()
{
    const int row = list_->currentRow();
    if (row < 0 || row >= aliases_.size())
        return;
    const QString current = aliases_[row].name;
    const QString answer =
        platform::services().dialogs->InputBox(messages::Text(SharedMessage::NewAliasNamePrompt),
                                               messages::Text(SharedMessage::RenameAliasTitle), current);
    if (answer.isEmpty() || answer == current)
        return;
    for (const folders::FolderAlias& alias : aliases_) {
        if (alias.name == answer) {
            platform::services().dialogs->MessageBox(messages::Text(SharedMessage::RenamedAliasNameTaken),
                                                     platform::MessageButtons::Ok);
            return;
        }
    }
    aliases_[row].name = answer;
    list_->item(row)->setText(answer);
}

void AliasDialog::Swap(int first, int second)
{
    aliases_.swapItemsAt(first, second);
    ShowList(second);
}

void AliasDialog::MoveUp()
{
    const int row = list_->currentRow();
    if (row >= 1 && row < aliases_.size())
        Swap(row, row - 1);
}

void AliasDialog::MoveDown()
{
    const int row = list_->currentRow();
    if (row >= 0 && row + 1 < aliases_.size())
        Swap(row, row + 1);
}

void AliasDialog::Delete()
{
    const int row = list_->currentRow();
    if (row < 0 || row >= aliases_.size())
        return;
    aliases_.removeAt(row);
    // The entry that took its place, or the new last one.
    ShowList(row);
}

void AliasDialog::DeleteAll()
{
    aliases_.clear();
    ShowList(0);
}

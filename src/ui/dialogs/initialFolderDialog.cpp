#include "ui/dialogs/initialFolderDialog.h"

#include "ui/children/driveBox.h"
#include "ui/children/folderListView.h"
#include "util/paths.h"
#include "util/programMessages.h"
#include "util/sharedMessages.h"

#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

using messages::ProgramMessage;
using messages::SharedMessage;

InitialFolderDialog::Purpose InitialFolderDialog::PurposeOf(folders::FolderSide side)
{
    if (side == folders::FolderSide::Input)
        return {messages::Text(ProgramMessage::InitialInputFolder),
                messages::Text(ProgramMessage::InitialInputOffTip),
                messages::Text(ProgramMessage::InitialInputDriveTip),
                messages::Text(ProgramMessage::InitialInputFolderTip),
                messages::Text(ProgramMessage::InitialInputFolderNameTip),
                true,
                false};
    return {messages::Text(ProgramMessage::InitialOutputFolder),
            messages::Text(ProgramMessage::InitialOutputOffTip),
            messages::Text(ProgramMessage::InitialOutputDriveTip),
            messages::Text(ProgramMessage::InitialOutputFolderTip),
            messages::Text(ProgramMessage::InitialOutputFolderNameTip),
            true,
            true};
}

InitialFolderDialog::InitialFolderDialog(QWidget* parent)
    : QDialog(parent), Presentable(static_cast<QWidget&>(*this)),
      place_(*this, QStringLiteral("Default"), DialogPlace::Size::Stored), inForce_(new QCheckBox(this)),
      label_(new QLabel(this)), drives_(new DriveBox(this)), folderList_(new FolderListView(folders_, this)),
      folderText_(new QLineEdit(this)), ok_(new QPushButton(messages::Text(SharedMessage::OkButton), this)),
      cancel_(new QPushButton(messages::Text(SharedMessage::CancelButton), this)), popup_(new QMenu(this))
{
    setObjectName(QStringLiteral("frmDefault"));
    setWindowTitle(messages::Text(ProgramMessage::InitialFoldersCaption));
    inForce_->setObjectName(QStringLiteral("cbxDrive"));
    label_->setObjectName(QStringLiteral("lblDrive"));
    drives_->setObjectName(QStringLiteral("drvDrive"));
    folderList_->setObjectName(QStringLiteral("dlbDir"));
    folderText_->setObjectName(QStringLiteral("txtDir"));
    folderText_->setReadOnly(true);
    ok_->setObjectName(QStringLiteral("btnOk"));
    cancel_->setObjectName(QStringLiteral("btnCancel"));
    // Enter belongs to the drive and folder lists here: no button is the default.
    ok_->setAutoDefault(false);
    cancel_->setAutoDefault(false);
    Tip(ok_, messages::Text(SharedMessage::OkButtonTip));
    Tip(cancel_, messages::Text(SharedMessage::CancelButtonTip));

    auto* top = new QHBoxLayout;
    top->addWidget(inForce_);
    top->addWidget(label_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(drives_);
    layout->addWidget(folderList_, 1);
    layout->addWidget(folderText_);
    layout->addLayout(buttons);

    popup_->addAction(messages::Text(ProgramMessage::CopyFromInputFolder), this,
                      &InitialFolderDialog::CopyInputFolder);
    popup_->addAction(messages::Text(ProgramMessage::CopyFromOutputFolder), this,
                      &InitialFolderDialog::CopyOutputFolder);
    popup_->addAction(messages::Text(ProgramMessage::CopyFromTemporaryFolder), this,
                      &InitialFolderDialog::CopyTemporaryFolder);
    // The popup opens on the dialog, the folder list and the folder text, by
    // the right button or the keyboard's menu key.
    for (QWidget* area : std::initializer_list<QWidget*>{this, folderList_, folderText_}) {
        area->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(area, &QWidget::customContextMenuRequested, this,
                [this, area](const QPoint& at) { popup_->popup(area->mapToGlobal(at)); });
    }

    connect(&folders_, &folders::FolderListModel::PathChanged, this, [this] {
        ShowFolder();
        Changed();
    });
    connect(folderList_, &FolderListView::OpenRequested, this, [this](const QString& path) {
        if (!folders_.SetPath(path))
            Refresh();
    });
    connect(drives_, &DriveBox::DrivePicked, this, [this](const QString& rootPath) {
        OpenDrive(rootPath);
        Changed();
    });
    connect(drives_, &DriveBox::EnterPressed, folderList_, [this] { folderList_->setFocus(); });
    connect(inForce_, &QCheckBox::toggled, this, [this] {
        FollowInForce();
        Changed();
    });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    SetPurpose(Purpose{});
}

void InitialFolderDialog::SetPurpose(const Purpose& purpose)
{
    purpose_ = purpose;
    // The box is named by the label beside it, as a person reads the two;
    // its tooltip says what a tick does.
    Tip(inForce_, purpose.inForceTip);
    inForce_->setAccessibleName(purpose.label);
    Describe(drives_, purpose.driveTip);
    Describe(folderList_, purpose.folderTip);
    Describe(folderText_, purpose.textTip);
    // Without the flag the fixed folder is always in force.
    inForce_->setVisible(purpose.offersInForce);
    if (!purpose.offersInForce)
        inForce_->setChecked(true);
    ShowFolder();
}

void InitialFolderDialog::SetCopySources(const QString& inputFolder, const QString& outputFolder)
{
    inputFolder_ = inputFolder;
    outputFolder_ = outputFolder;
}

void InitialFolderDialog::SetFolder(const QString& folder)
{
    if (folders_.SetPath(folder))
        drives_->SelectDriveOf(folders_.Path());
    else
        folders_.SetPath(QDir::currentPath());
    Refresh();
}

void InitialFolderDialog::SetInForce(bool inForce)
{
    inForce_->setChecked(inForce || !purpose_.offersInForce);
    FollowInForce();
}

QString InitialFolderDialog::Folder() const
{
    return folders_.Path().isEmpty() ? QString() : paths::GetLongPath(folders_.Path());
}

bool InitialFolderDialog::InForce() const
{
    return inForce_->isChecked();
}

void InitialFolderDialog::CopyInputFolder()
{
    SetFolder(inputFolder_);
}

void InitialFolderDialog::CopyOutputFolder()
{
    SetFolder(outputFolder_);
}

void InitialFolderDialog::CopyTemporaryFolder()
{
    SetFolder(paths::GetTempDir());
}

void InitialFolderDialog::Refresh()
{
    drives_->Reread(folders_.Path());
    folders_.Reread();
    ShowFolder();
}

void InitialFolderDialog::OpenDrive(const QString& rootPath)
{
    // A drive that cannot be opened leaves the folder, and its drive, as
    // they were.
    if (!folders_.SetPath(rootPath))
        drives_->SelectDriveOf(folders_.Path());
}

void InitialFolderDialog::ShowFolder()
{
    const QString path = folders_.Path();
    const QString longPath = path.isEmpty() ? QString() : paths::GetLongPath(path);
    folderText_->setText(longPath.isEmpty() ? QString() : paths::ShortenPath(longPath));
    drives_->SelectDriveOf(path);
    label_->setText(purpose_.showsFreeSpace && !path.isEmpty()
                        ? purpose_.label + paths::GetFreeSpaceText(path)
                        : purpose_.label);
}

void InitialFolderDialog::FollowInForce()
{
    for (QWidget* control : std::initializer_list<QWidget*>{label_, drives_, folderList_, folderText_})
        control->setEnabled(inForce_->isChecked());
}

void InitialFolderDialog::Changed()
{
    ok_->setEnabled(true);
}

void InitialFolderDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ok_->setEnabled(false);
    (inForce_->isVisible() ? static_cast<QWidget*>(inForce_) : folderList_)->setFocus();
}

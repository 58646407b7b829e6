#include "ui/children/folderWindow.h"

#include "core/options.h"
#include "platform/dialogs.h"
#include "platform/services.h"
#include "ui/children/driveBox.h"
#include "ui/children/folderListView.h"
#include "util/paths.h"
#include "util/programMessages.h"
#include "util/sharedMessages.h"

#include <QDir>
#include <QLineEdit>
#include <QMenu>

using folders::FolderSide;
using messages::ProgramMessage;
using messages::SharedMessage;

namespace {

// The catalogue texts that differ between the two sides.
struct SideTexts {
    ProgramMessage caption, driveTip, folderTip, textTip, copyToOther;
    const char* internalName;
};

const SideTexts& TextsOf(FolderSide side)
{
    static const SideTexts input{
        ProgramMessage::InputFolderCaption,      ProgramMessage::InputDriveTip,
        ProgramMessage::InputFolderTip,          ProgramMessage::InputCurrentFolderTip,
        ProgramMessage::InputSameAsOutputFolder, "mdiinDir"};
    static const SideTexts output{
        ProgramMessage::OutputFolderCaption,     ProgramMessage::OutputDriveTip,
        ProgramMessage::OutputFolderTip,         ProgramMessage::OutputCurrentFolderTip,
        ProgramMessage::OutputSameAsInputFolder, "mdiOutDir"};
    return side == FolderSide::Input ? input : output;
}

// A name as a menu item shows it: an ampersand is a character, no mnemonic.
QString AsMenuText(QString name)
{
    return name.replace(u'&', QStringLiteral("&&"));
}

} // namespace

FolderWindow::FolderWindow(FolderSide side, QWidget* parent)
    : ChildWindow(QString::fromLatin1(TextsOf(side).internalName), folders::KeysOf(side).geometryPrefix,
                  parent),
      side_(side), drives_(new DriveBox(this)), folderList_(new FolderListView(folders_, this)),
      folderText_(new QLineEdit(this)), currentFolder_(QDir::currentPath())
{
    const SideTexts& texts = TextsOf(side);
    setWindowTitle(messages::Text(texts.caption));
    drives_->setObjectName(QStringLiteral("drvDrive"));
    folderList_->setObjectName(QStringLiteral("dlbDir"));
    folderText_->setObjectName(QStringLiteral("txtDir"));
    folderText_->setReadOnly(true);
    Describe(drives_, messages::Text(texts.driveTip));
    Describe(folderList_, messages::Text(texts.folderTip));
    Describe(folderText_, messages::Text(texts.textTip));

    connect(&folders_, &folders::FolderListModel::PathChanged, this, &FolderWindow::FolderHasChanged);
    connect(folderList_, &FolderListView::OpenRequested, this, [this](const QString& path) {
        if (!folders_.SetPath(path))
            Refresh();
    });
    connect(drives_, &DriveBox::DrivePicked, this, &FolderWindow::OpenDrive);
    connect(drives_, &DriveBox::EnterPressed, folderList_, [this] { folderList_->setFocus(); });

    OpenPopupOn(folderList_);
    OpenPopupOn(folderText_);
    Popup()->addAction(messages::Text(texts.copyToOther), this, &FolderWindow::CopyToOtherWindow);
    Popup()->addAction(messages::Text(SharedMessage::RefreshMenu), this, &FolderWindow::Refresh);
    addAlias_ =
        Popup()->addAction(messages::Text(SharedMessage::AddAliasMenu), this, &FolderWindow::AddAlias);
    maintainAliases_ = Popup()->addAction(messages::Text(SharedMessage::MaintainAliasesMenu), this,
                                          &FolderWindow::MaintainAliases);
    aliasSeparator_ = Popup()->addSeparator();
    for (int slot = 0; slot < folders::FolderAliases::MaxCount; ++slot)
        aliasItems_[slot] = Popup()->addAction(QString(), this, [this, slot] { OpenAlias(slot); });
    ShowAliasItems();
}

QString FolderWindow::Caption() const
{
    return messages::Text(TextsOf(side_).caption);
}

bool FolderWindow::Load(const QString& currentFolder)
{
    currentFolder_ = currentFolder;
    const folders::FolderSideKeys& keys = folders::KeysOf(side_);
    const settings::Location& from =
        settings::GeometryLocation(keys.geometryPrefix + QStringLiteral("_Left"));
    const std::optional<folders::StartFolders> start = folders::ReadStartFolders(side_, from, currentFolder);
    if (!start)
        return false;
    start_ = *start;
    OpenFolder(start_.StartFolder());
    if (!options::Current().resizeChildren && !ReadStoredPlace())
        return false;
    ApplyFont();
    ApplyTooltips(options::Current().showTooltips);
    SetAliases(folders::ReadAliases(from, keys.aliasPrefix));
    return true;
}

QString FolderWindow::Folder() const
{
    return folders_.Path().isEmpty() ? QString() : paths::GetLongPath(folders_.Path());
}

void FolderWindow::OpenFolder(const QString& folder)
{
    // What a change of the folder does is done below, once. A folder that
    // opens has just been listed: only the drives are read again.
    opening_ = true;
    const bool opened = folders_.SetPath(folder) || folders_.SetPath(currentFolder_);
    opening_ = false;
    if (opened)
        ShowOpenFolder();
    else
        Refresh();
}

void FolderWindow::Refresh()
{
    folders_.Reread();
    ShowOpenFolder();
}

void FolderWindow::ShowOpenFolder()
{
    drives_->Reread(folders_.Path());
    FolderHasChanged();
}

void FolderWindow::FolderHasChanged()
{
    if (opening_)
        return;
    const QString path = folders_.Path();
    const QString longPath = paths::GetLongPath(path);
    folderText_->setText(longPath.isEmpty() ? QString() : paths::ShortenPath(longPath));
    drives_->SelectDriveOf(path);
    if (side_ == FolderSide::Output)
        setWindowTitle(Caption() + paths::GetFreeSpaceText(path));
    else
        emit FolderChanged(path);
}

void FolderWindow::OpenDrive(const QString& rootPath)
{
    // A drive that cannot be opened leaves the open folder, and its drive,
    // as they were.
    if (!folders_.SetPath(rootPath))
        drives_->SelectDriveOf(folders_.Path());
}

void FolderWindow::CopyToOtherWindow()
{
    if (other_ && !folders_.Path().isEmpty())
        other_->OpenFolder(folders_.Path());
}

void FolderWindow::AddAlias()
{
    if (aliases_.IsFull())
        return;
    const QString folder = Folder();
    // The prompt names the folder on a line of its own.
    const QString name = platform::services().dialogs->InputBox(
        messages::Text(SharedMessage::AliasNamePrompt) + u'\n' + folder,
        messages::Text(SharedMessage::AliasNameTitle), paths::ShortenPath(folder));
    if (name.isEmpty())
        return;
    if (aliases_.HasName(name)) {
        platform::services().dialogs->MessageBox(messages::Text(SharedMessage::AliasNameTaken),
                                                 platform::MessageButtons::Ok);
        return;
    }
    folders::FolderAliases added = aliases_;
    if (added.Add({name, folder}))
        SetAliases(added);
}

void FolderWindow::MaintainAliases()
{
    if (aliases_.IsEmpty() || !aliasEditor_)
        return;
    if (const std::optional<folders::FolderAliases> edited = aliasEditor_(Caption(), aliases_))
        SetAliases(*edited);
}

void FolderWindow::OpenAlias(int slot)
{
    if (slot < aliases_.Count())
        OpenFolder(aliases_.At(slot).folder);
}

void FolderWindow::SetAliases(const folders::FolderAliases& aliases)
{
    aliases_ = aliases;
    ShowAliasItems();
}

void FolderWindow::ShowAliasItems()
{
    for (int slot = 0; slot < folders::FolderAliases::MaxCount; ++slot) {
        const bool used = slot < aliases_.Count();
        aliasItems_[slot]->setText(used ? AsMenuText(aliases_.At(slot).name) : QString());
        aliasItems_[slot]->setVisible(used);
    }
    aliasSeparator_->setVisible(!aliases_.IsEmpty());
    maintainAliases_->setEnabled(!aliases_.IsEmpty());
    addAlias_->setEnabled(!aliases_.IsFull());
}

void FolderWindow::StoreSettings()
{
    ChildWindow::StoreSettings();
    folders::StoreStartFolders(side_, start_, Folder());
    folders::StoreAliases(aliases_, folders::KeysOf(side_).aliasPrefix);
}

void FolderWindow::LayOut(double clientWidth, double clientHeight)
{
    const auto layout =
        childLayout::FolderWindow(clientWidth, clientHeight, ToTwips(drives_->sizeHint().height()),
                                  ToTwips(folderText_->sizeHint().height()));
    if (!layout)
        return;
    auto withHeight = [](childLayout::Place place, int height) {
        place.height = height;
        return place;
    };
    Put(drives_, withHeight(layout->drives, ToTwips(drives_->sizeHint().height())));
    Put(folderList_, layout->folders);
    Put(folderText_, withHeight(layout->text, ToTwips(folderText_->sizeHint().height())));
}

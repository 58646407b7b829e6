#include "platform/iniSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <utility>

#include "platform/iniReading.h"

namespace platform {

namespace {

const QString kFileName = QStringLiteral("settings.ini");

// Decided before Qt ever parses the file: Qt would keep what it could not
// read in its cache and write the file back without it.
enum class FileState {
    Usable,     // absent, or a settings file read whole
    PartlyRead, // some lines could not be read: Qt sees only the others
    Unreadable, // present, but it cannot be read (a folder, no permission)
    ReadOnly,   // read, but Qt objects to it: writing it back could lose something
};

// QSettings reads its file at the first access; its status tells how that went.
std::unique_ptr<QSettings> OpenSettings(const QString& path)
{
    auto settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    settings->allKeys();
    return settings;
}

QString SettingsKey(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}

// Writes bytes over the file at path in one step: through a symbolic link to
// the file it points to, keeping that file's permissions.
bool ReplaceFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

// The QSettings object of one application's file. A file read only in part
// is never given to QSettings (it would write back only what it understood):
// Qt works on a private copy of the lines that could be read, and a sync
// keeps the original beside it before the copy replaces it.
struct IniSettingsStore::OpenFile {
    QString path;
    FileState state = FileState::Usable;
    QList<int> skippedLines;
    std::unique_ptr<QTemporaryFile> readableCopy; // when partly read
    std::unique_ptr<QSettings> settings;          // on path, or on readableCopy
    bool changed = false;
};

IniSettingsStore::IniSettingsStore(QString rootFolder) : rootFolder_(std::move(rootFolder)) {}

IniSettingsStore::~IniSettingsStore()
{
    // What callers did not sync is written, but a file read in part only by
    // Sync(), whose caller tells the user of the copy it keeps.
    std::vector<OpenFile*> whole;
    for (auto& entry : files_) {
        if (entry.second->state != FileState::PartlyRead)
            whole.push_back(entry.second.get());
    }
    for (OpenFile* file : whole)
        SyncFile(*file);
}

QString IniSettingsStore::FilePath(const QString& application) const
{
    QString root = rootFolder_;
    if (root.isEmpty())
        root = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(root).filePath(application + QLatin1Char('/') + kFileName);
}

IniSettingsStore::OpenFile& IniSettingsStore::Open(const QString& application)
{
    const QString path = FilePath(application);
    auto found = files_.find(path);
    if (found != files_.end())
        return *found->second;

    auto file = std::make_unique<OpenFile>();
    file->path = path;
    const QFileInfo info(path);
    QFile stored(path);
    if (info.exists() && (!info.isFile() || !stored.open(QIODevice::ReadOnly))) {
        file->state = FileState::Unreadable;
    } else if (const IniReading reading = ReadIni(stored.isOpen() ? stored.readAll() : QByteArray());
               !reading.Whole()) {
        file->state = FileState::PartlyRead;
        file->skippedLines = reading.skippedLines;
        file->readableCopy = std::make_unique<QTemporaryFile>(
            QDir::tempPath() + QStringLiteral("/tollbrook2-settings-XXXXXX.ini"));
        if (file->readableCopy->open()
            && file->readableCopy->write(reading.readable) == reading.readable.size()
            && file->readableCopy->flush()) {
            file->settings = OpenSettings(file->readableCopy->fileName());
        } else {
            file->state = FileState::Unreadable;
        }
    } else {
        file->settings = OpenSettings(path);
        if (file->settings->status() == QSettings::FormatError) {
            // Qt complains about details it reads all the same (a byte-order
            // mark); a fresh object on the unchanged file starts without the
            // complaint, which would otherwise stay and fail every sync.
            file->settings = OpenSettings(path);
        }
        if (file->settings->status() == QSettings::FormatError) {
            file->state = FileState::ReadOnly;
        } else if (file->settings->status() != QSettings::NoError) {
            file->state = FileState::Unreadable;
            file->settings.reset();
        }
    }
    return *files_.emplace(path, std::move(file)).first->second;
}

QList<PartlyReadFile> IniSettingsStore::PartlyReadFiles() const
{
    QList<PartlyReadFile> partly;
    for (const auto& [path, file] : files_) {
        if (file->state == FileState::PartlyRead)
            partly.append({path, file->skippedLines});
    }
    return partly;
}

QString IniSettingsStore::Read(const QString& application, const QString& section, const QString& key,
                               const QString& defaultText)
{
    OpenFile& file = Open(application);
    if (!file.settings)
        return defaultText;
    const QVariant value = file.settings->value(SettingsKey(section, key));
    if (!value.isValid())
        return defaultText;
    // An unquoted text with commas, typed by hand, comes back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

bool IniSettingsStore::Contains(const QString& application, const QString& section, const QString& key)
{
    OpenFile& file = Open(application);
    return file.settings && file.settings->contains(SettingsKey(section, key));
}

bool IniSettingsStore::Write(const QString& application, const QString& section, const QString& key,
                             const QString& text)
{
    OpenFile& file = Open(application);
    if (!file.settings || file.state == FileState::ReadOnly
        || !QDir().mkpath(QFileInfo(file.path).absolutePath())) {
        failedSinceSync_ = true;
        return false;
    }
    file.settings->setValue(SettingsKey(section, key), text);
    file.changed = true;
    return true;
}

bool IniSettingsStore::DeleteSection(const QString& application, const QString& section)
{
    OpenFile& file = Open(application);
    if (!file.settings || file.state == FileState::ReadOnly
        || !file.settings->childGroups().contains(section)) {
        return false;
    }
    file.settings->remove(section);
    file.changed = true;
    return true;
}

bool IniSettingsStore::DeleteApplication(const QString& application)
{
    const QString path = FilePath(application);
    const bool existed = QFileInfo(path).isFile();
    if (Open(application).state == FileState::PartlyRead && !KeepDamagedCopy(path)) {
        failedSinceSync_ = true;
        return false;
    }
    Close(path);
    if (QFileInfo(path).isFile() && !QFile::remove(path)) {
        failedSinceSync_ = true;
        return false;
    }
    QDir().rmdir(QFileInfo(path).absolutePath()); // only when nothing else is left in it
    return existed;
}

// Drops the open file without writing what is pending, and leaves Qt's own
// cache of the file's content empty, so the file can be removed under it.
void IniSettingsStore::Close(const QString& path)
{
    auto found = files_.find(path);
    if (found == files_.end())
        return;
    OpenFile& file = *found->second;
    if (file.state == FileState::Usable && file.settings) {
        file.settings->clear();
        file.settings->sync();
    }
    files_.erase(found);
}

bool IniSettingsStore::SyncFile(OpenFile& file)
{
    if (!file.changed)
        return true;
    file.changed = false;
    bool ok = file.state != FileState::PartlyRead || KeepDamagedCopy(file.path);
    if (ok) {
        file.settings->sync();
        ok = file.settings->status() == QSettings::NoError;
    }
    if (ok && file.state == FileState::PartlyRead) {
        QFile written(file.readableCopy->fileName());
        ok = written.open(QIODevice::ReadOnly) && ReplaceFile(file.path, written.readAll());
    }
    // QSettings keeps its first error for good; start afresh after a failure
    // or once a file read in part has been written whole.
    if (!ok || file.state == FileState::PartlyRead) {
        const QString path = file.path;
        files_.erase(path);
    }
    return ok;
}

// Copies the file at path, as it is now, to the first free name of
// "<path>.damaged", "<path>.damaged.1", ... and notes where for
// TakeKeptCopies. False when no copy could be made: the file must then not be
// written over.
bool IniSettingsStore::KeepDamagedCopy(const QString& path)
{
    QFile original(path);
    if (!original.exists())
        return true;
    if (!original.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = original.readAll();
    for (int number = 0; number < kMostDamagedCopies; ++number) {
        const QString copyPath =
            path + QStringLiteral(".damaged") + (number == 0 ? QString() : QStringLiteral(".%1").arg(number));
        QFile copy(copyPath);
        if (!copy.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (copy.exists())
                continue;
            return false;
        }
        // As private as the file itself.
        if (!copy.setPermissions(original.permissions()) || copy.write(bytes) != bytes.size()
            || !copy.flush()) {
            copy.remove();
            return false;
        }
        copy.close();
        keptCopies_.append({path, copyPath});
        return true;
    }
    return false;
}

QList<KeptCopy> IniSettingsStore::TakeKeptCopies()
{
    return std::exchange(keptCopies_, {});
}

bool IniSettingsStore::Sync()
{
    bool ok = !failedSinceSync_;
    failedSinceSync_ = false;
    std::vector<OpenFile*> open;
    for (auto& entry : files_)
        open.push_back(entry.second.get());
    for (OpenFile* file : open)
        ok = SyncFile(*file) && ok;
    return ok;
}

} // namespace platform

#include "platform/iniSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/damagedCopy.h"
#include "platform/iniInMemory.h"
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

// Why the file at path could not be written, as far as its place tells.
StoreFailureReason WhyNotWritten(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists())
        return StoreFailureReason::DanglingLink;
    if (info.exists() && !info.isFile())
        return StoreFailureReason::NotAFile;
    return StoreFailureReason::NotWritten;
}

// The keys of a group, as QSettings::remove(group) removes them.
bool IsInGroup(const QString& key, const QString& group)
{
    return key.startsWith(group) && key.size() > group.size() && key[group.size()] == QLatin1Char('/');
}

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

// One application's file. A file read whole is QSettings' own. A file read
// only in part is never given to QSettings (it would write back only what it
// understood): Qt reads the lines that could be read from memory, the values
// stay here, and a sync keeps the original beside the file before those lines
// and the changes replace it.
struct IniSettingsStore::OpenFile {
    QString path;
    FileState state = FileState::Usable;
    QList<int> skippedLines;
    std::unique_ptr<QSettings> settings; // on path, for a file read whole
    QByteArray readableLines;            // of a file read in part
    std::optional<QVariantMap> values;   // of a file read in part, with the changes made since
    bool changed = false;

    bool HasValues() const { return settings || values; }
    QVariant Value(const QString& key) const { return settings ? settings->value(key) : values->value(key); }
    void SetValue(const QString& key, const QString& text)
    {
        if (settings)
            settings->setValue(key, text);
        else
            values->insert(key, text);
    }
    bool HasGroup(const QString& group) const
    {
        if (settings)
            return settings->childGroups().contains(group);
        return std::any_of(values->keyBegin(), values->keyEnd(),
                           [&group](const QString& key) { return IsInGroup(key, group); });
    }
    void RemoveGroup(const QString& group)
    {
        if (settings)
            settings->remove(group);
        else
            values->removeIf([&group](const auto& entry) { return IsInGroup(entry.key(), group); });
    }
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
    } else if (IniReading reading = ReadIni(stored.isOpen() ? stored.readAll() : QByteArray());
               !reading.Whole()) {
        file->skippedLines = reading.skippedLines;
        if (std::optional<IniValues> read = ReadIniInMemory(reading.readable)) {
            file->state = read->understood ? FileState::PartlyRead : FileState::ReadOnly;
            file->values = std::move(read->values);
            file->readableLines = std::move(reading.readable);
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
        if (!file->skippedLines.isEmpty())
            partly.append({path, file->skippedLines});
    }
    return partly;
}

QString IniSettingsStore::Read(const QString& application, const QString& section, const QString& key,
                               const QString& defaultText)
{
    OpenFile& file = Open(application);
    if (!file.HasValues())
        return defaultText;
    const QVariant value = file.Value(SettingsKey(section, key));
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
    return file.HasValues() && file.Value(SettingsKey(section, key)).isValid();
}

bool IniSettingsStore::Write(const QString& application, const QString& section, const QString& key,
                             const QString& text)
{
    OpenFile& file = Open(application);
    if (file.state == FileState::ReadOnly) {
        Fail(file.path, StoreFailureReason::NotUnderstood);
        return false;
    }
    if (!file.HasValues() || !QDir().mkpath(QFileInfo(file.path).absolutePath())) {
        Fail(file.path, WhyNotWritten(file.path));
        return false;
    }
    file.SetValue(SettingsKey(section, key), text);
    file.changed = true;
    return true;
}

bool IniSettingsStore::DeleteSection(const QString& application, const QString& section)
{
    OpenFile& file = Open(application);
    if (!file.HasValues() || file.state == FileState::ReadOnly || !file.HasGroup(section))
        return false;
    file.RemoveGroup(section);
    file.changed = true;
    return true;
}

bool IniSettingsStore::DeleteApplication(const QString& application)
{
    const QString path = FilePath(application);
    const bool existed = QFileInfo(path).isFile();
    if (!Open(application).skippedLines.isEmpty()) {
        const std::optional<QString> copy = KeepDamagedCopy(path);
        if (!copy) {
            Fail(path, StoreFailureReason::NoCopyKept);
            return false;
        }
        if (!copy->isEmpty())
            keptCopies_.append({path, *copy});
    }
    Close(path);
    if (QFileInfo(path).isFile() && !QFile::remove(path)) {
        Fail(path, StoreFailureReason::NotWritten);
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
    bool ok = false;
    if (file.state == FileState::PartlyRead) {
        ok = WriteFileReadInPart(file);
    } else {
        file.settings->sync();
        ok = file.settings->status() == QSettings::NoError;
        if (!ok)
            Fail(file.path, WhyNotWritten(file.path));
    }
    // QSettings keeps its first error for good; start afresh after a failure
    // or once a file read in part has been written whole.
    if (!ok || file.state == FileState::PartlyRead) {
        const QString path = file.path;
        files_.erase(path);
    }
    return ok;
}

// Keeps the original aside, puts the lines that could be read in its place
// (which Qt then reads whole, as it read them from memory) and has Qt write
// the values over them. The copy is told once the original is written over.
bool IniSettingsStore::WriteFileReadInPart(OpenFile& file)
{
    const std::optional<QString> copy = KeepDamagedCopy(file.path);
    if (!copy) {
        Fail(file.path, StoreFailureReason::NoCopyKept);
        return false;
    }
    if (!ReplaceFile(file.path, file.readableLines)) {
        Fail(file.path, WhyNotWritten(file.path));
        return false;
    }
    if (!copy->isEmpty())
        keptCopies_.append({file.path, *copy});
    const std::unique_ptr<QSettings> whole = OpenSettings(file.path);
    whole->clear();
    for (auto value = file.values->cbegin(); value != file.values->cend(); ++value)
        whole->setValue(value.key(), value.value());
    whole->sync();
    if (whole->status() != QSettings::NoError) {
        Fail(file.path, WhyNotWritten(file.path));
        return false;
    }
    return true;
}

void IniSettingsStore::Fail(const QString& path, StoreFailureReason why)
{
    failedSinceSync_ = true;
    if (failedPaths_.insert(path).second)
        failures_.append({path, why});
}

QList<StoreFailure> IniSettingsStore::TakeStoreFailures()
{
    return std::exchange(failures_, {});
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

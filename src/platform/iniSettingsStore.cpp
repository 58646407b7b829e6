#include "platform/iniSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringTokenizer>

#include <cstdio>

namespace platform {

namespace {

const QString kFileName = QStringLiteral("settings.ini");

// Decided before Qt ever parses the file: Qt would keep a damaged file's
// parse in its cache and write it back on the next sync.
enum class FileState {
    Usable,     // absent, or a settings file Qt could parse
    Damaged,    // readable, but not a settings file
    Unreadable, // present, but it cannot be read (a folder, no permission)
    ReadOnly,   // read, but Qt objects to it: writing it back could lose something
};

// UTF-8 text made of [section] lines, key=value lines, comments and blank lines.
bool LooksLikeSettings(const QByteArray& bytes)
{
    if (bytes.contains('\0'))
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    if (decoder.hasError())
        return false;
    for (QStringView line : QStringTokenizer(text, QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']')))
                return false;
        } else if (!line.contains(QLatin1Char('='))) {
            return false;
        }
    }
    return true;
}

FileState Inspect(const QString& path)
{
    QFileInfo info(path);
    if (!info.exists())
        return FileState::Usable;
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return FileState::Unreadable;
    return LooksLikeSettings(file.readAll()) ? FileState::Usable : FileState::Damaged;
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

} // namespace

// The QSettings object of one application's file. A damaged file is never
// given to QSettings for writing (it would write the damage back); its new
// content is collected in a fresh sibling file that replaces it on sync.
struct IniSettingsStore::OpenFile {
    QString path;
    FileState state = FileState::Usable;
    std::unique_ptr<QSettings> settings; // on path, or on replacementPath when damaged
    QString replacementPath;
    bool changed = false;
};

IniSettingsStore::IniSettingsStore(QString rootFolder) : rootFolder_(std::move(rootFolder)) {}

IniSettingsStore::~IniSettingsStore()
{
    Sync();
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
    file->state = Inspect(path);
    if (file->state == FileState::Usable) {
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
    } else if (file->state == FileState::Damaged) {
        file->replacementPath = path + QStringLiteral(".new");
        QFile::remove(file->replacementPath); // a leftover of an interrupted sync
        file->settings = std::make_unique<QSettings>(file->replacementPath, QSettings::IniFormat);
    }
    return *files_.emplace(path, std::move(file)).first->second;
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
    } else if (file.state == FileState::Damaged) {
        file.settings.reset();
        QFile::remove(file.replacementPath);
    }
    files_.erase(found);
}

bool IniSettingsStore::SyncFile(OpenFile& file)
{
    if (!file.changed)
        return true;
    file.changed = false;
    file.settings->sync();
    bool ok = file.settings->status() == QSettings::NoError;
    if (file.state == FileState::Damaged) {
        file.settings.reset();
        ok = ok
            && std::rename(QFile::encodeName(file.replacementPath).constData(),
                           QFile::encodeName(file.path).constData())
                == 0;
        if (!ok)
            QFile::remove(file.replacementPath);
    }
    // QSettings keeps its first error for good; start afresh after a failure
    // or after a damaged file was replaced.
    if (!ok || file.state == FileState::Damaged) {
        const QString path = file.path;
        files_.erase(path);
    }
    return ok;
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

#pragma once

#include <QList>
#include <QString>

namespace platform {

// A settings file of which some lines could not be read: the others count.
struct PartlyReadFile {
    QString path;
    QList<int> skippedLines; // counted from 1
};

// A copy of a settings file read in part, kept aside before the file was
// written over or removed.
struct KeptCopy {
    QString path;
    QString copyPath;
};

// The per-user settings store: application -> section -> key -> text.
// Every value is text; readers convert it themselves.
class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;

    // The stored text, or defaultText when the key is absent or the store
    // cannot be read.
    virtual QString Read(const QString& application, const QString& section, const QString& key,
                         const QString& defaultText) = 0;
    virtual bool Contains(const QString& application, const QString& section, const QString& key) = 0;

    // Creates or replaces one value. False when the value cannot be kept.
    virtual bool Write(const QString& application, const QString& section, const QString& key,
                       const QString& text) = 0;

    // Remove everything below; false when there was nothing to remove or the
    // removal failed (callers usually ignore it).
    virtual bool DeleteSection(const QString& application, const QString& section) = 0;
    virtual bool DeleteApplication(const QString& application) = 0;

    // Pushes every change made so far to permanent storage. True only when
    // every write and deletion since the previous Sync reached the disk.
    virtual bool Sync() = 0;

    // The files read so far that had lines left out.
    virtual QList<PartlyReadFile> PartlyReadFiles() const = 0;

    // The copies kept aside since the last call, each given once: the store
    // says nothing itself, its caller tells the user where they are.
    virtual QList<KeptCopy> TakeKeptCopies() = 0;
};

} // namespace platform

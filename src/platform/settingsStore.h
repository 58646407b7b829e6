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

// Why a settings file could not be stored.
enum class StoreFailureReason {
    NotAFile,      // a folder (or a device, a pipe) stands where the file belongs
    DanglingLink,  // a symbolic link to a file that cannot be made
    NotWritten,    // the file or its folder could not be written (permissions, a full disk)
    NotUnderstood, // the file holds what the INI reader refuses, so writing it back could lose it
    NoCopyKept,    // a file read in part, of which no copy could be kept aside
};

// A settings file whose changes did not reach the disk.
struct StoreFailure {
    QString path;
    StoreFailureReason why;
    friend bool operator==(const StoreFailure&, const StoreFailure&) = default;
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

    // The files whose changes could not be stored since the last call, each
    // file given once for the life of the store: its caller tells the user.
    virtual QList<StoreFailure> TakeStoreFailures() = 0;
};

} // namespace platform

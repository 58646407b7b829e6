#pragma once

#include <QString>

#include <map>
#include <memory>
#include <set>

#include "platform/settingsStore.h"

class QSettings;

namespace platform {

// One INI file per application, <root>/<application>/settings.ini, each
// section an INI group. The root is $XDG_CONFIG_HOME (default ~/.config)
// unless the constructor names another folder.
//
// Writes are collected in memory and written atomically (temporary file and
// rename) by Sync() and by the destructor, through a symbolic link to the
// file it points to. A file that cannot be read is left alone: reads give
// the defaults and writes to it are refused. Of a file with lines that cannot
// be read (not UTF-8, not INI) the other lines count; before such a file is
// first written over or removed, a copy of it is kept beside it
// (settings.ini.damaged, then .damaged.1, ...), which TakeKeptCopies gives
// the caller to tell the user of. Only Sync() writes such a file: the
// destructor leaves it as it is, since nobody would be told of its copy.
// Such a file's readable lines are held in memory, never in a named
// temporary file that a killed process would leave behind. A file whose
// changes cannot be stored (a folder, a dangling link, no permission) is
// given once by TakeStoreFailures with the reason.
class IniSettingsStore : public ISettingsStore {
public:
    explicit IniSettingsStore(QString rootFolder = {});
    ~IniSettingsStore() override;

    QString FilePath(const QString& application) const;

    QString Read(const QString& application, const QString& section, const QString& key,
                 const QString& defaultText) override;
    bool Contains(const QString& application, const QString& section, const QString& key) override;
    bool Write(const QString& application, const QString& section, const QString& key,
               const QString& text) override;
    bool DeleteSection(const QString& application, const QString& section) override;
    bool DeleteApplication(const QString& application) override;
    bool Sync() override;
    QList<PartlyReadFile> PartlyReadFiles() const override;
    QList<KeptCopy> TakeKeptCopies() override;
    QList<StoreFailure> TakeStoreFailures() override;

private:
    struct OpenFile;

    OpenFile& Open(const QString& application);
    bool SyncFile(OpenFile& file);
    bool WriteFileReadInPart(OpenFile& file);
    void Close(const QString& path);
    void Fail(const QString& path, StoreFailureReason why);

    QString rootFolder_;
    std::map<QString, std::unique_ptr<OpenFile>> files_; // by file path
    bool failedSinceSync_ = false;
    QList<KeptCopy> keptCopies_;    // not yet taken
    QList<StoreFailure> failures_;  // not yet taken
    std::set<QString> failedPaths_; // every file given as a failure so far
};

} // namespace platform

#pragma once

#include <QString>

#include <map>
#include <memory>

#include "platform/settingsStore.h"

class QSettings;

namespace platform {

// One INI file per application, <root>/<application>/settings.ini, each
// section an INI group. The root is $XDG_CONFIG_HOME (default ~/.config)
// unless the constructor names another folder.
//
// Writes are collected in memory and written atomically (temporary file and
// rename) by Sync() and by the destructor. A file that cannot be read is left
// alone: reads give the defaults and writes to it are refused. A file that is
// damaged (not a settings file) reads as empty and is replaced as a whole by
// the next successful Sync.
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

private:
    struct OpenFile;

    OpenFile& Open(const QString& application);
    bool SyncFile(OpenFile& file);
    void Close(const QString& path);

    QString rootFolder_;
    std::map<QString, std::unique_ptr<OpenFile>> files_; // by file path
    bool failedSinceSync_ = false;
};

} // namespace platform

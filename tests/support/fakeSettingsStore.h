#pragma once

#include <QList>
#include <QMap>
#include <QString>

#include "platform/settingsStore.h"

#include <utility>

namespace platform {

// A settings store in memory for tests: records every write in order and can
// be told to refuse writes, as a full disk would.
class FakeSettingsStore : public ISettingsStore {
public:
    struct Entry {
        QString application, section, key, text;
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    QString Read(const QString& application, const QString& section, const QString& key,
                 const QString& defaultText) override;
    bool Contains(const QString& application, const QString& section, const QString& key) override;
    bool Write(const QString& application, const QString& section, const QString& key,
               const QString& text) override;
    bool DeleteSection(const QString& application, const QString& section) override;
    bool DeleteApplication(const QString& application) override;
    bool Sync() override;
    QList<PartlyReadFile> PartlyReadFiles() const override { return partlyRead; }
    QList<KeptCopy> TakeKeptCopies() override { return std::exchange(keptCopies, {}); }
    QList<StoreFailure> TakeStoreFailures() override { return std::exchange(storeFailures, {}); }

    // Puts a value in place without recording it as a write.
    void Seed(const QString& application, const QString& section, const QString& key, const QString& text);
    bool HasApplication(const QString& application) const;

    QList<Entry> writes;       // every successful Write, in call order
    QStringList reads;         // "application/section/key" of every Read, in call order
    bool refuseWrites = false; // Write returns false and keeps nothing
    bool failSync = false;     // Sync reports that the data did not reach the disk
    QList<PartlyReadFile> partlyRead;
    QList<KeptCopy> keptCopies;        // what TakeKeptCopies gives next
    QList<StoreFailure> storeFailures; // what TakeStoreFailures gives next

private:
    // application -> section -> key -> text
    QMap<QString, QMap<QString, QMap<QString, QString>>> data_;
    bool failedSinceSync_ = false;
};

} // namespace platform

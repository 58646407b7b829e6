#include "support/fakeSettingsStore.h"

namespace platform {

QString FakeSettingsStore::Read(const QString& application, const QString& section, const QString& key,
                                const QString& defaultText)
{
    reads.append(application + QLatin1Char('/') + section + QLatin1Char('/') + key);
    return Contains(application, section, key) ? data_[application][section][key] : defaultText;
}

bool FakeSettingsStore::Contains(const QString& application, const QString& section, const QString& key)
{
    const auto app = data_.constFind(application);
    if (app == data_.cend())
        return false;
    const auto sec = app->constFind(section);
    return sec != app->cend() && sec->contains(key);
}

bool FakeSettingsStore::Write(const QString& application, const QString& section, const QString& key,
                              const QString& text)
{
    if (refuseWrites) {
        failedSinceSync_ = true;
        return false;
    }
    data_[application][section][key] = text;
    writes.append(Entry{application, section, key, text});
    return true;
}

bool FakeSettingsStore::DeleteSection(const QString& application, const QString& section)
{
    auto app = data_.find(application);
    return app != data_.end() && app->remove(section) > 0;
}

bool FakeSettingsStore::DeleteApplication(const QString& application)
{
    return data_.remove(application) > 0;
}

bool FakeSettingsStore::Sync()
{
    const bool ok = !failedSinceSync_ && !failSync;
    failedSinceSync_ = false;
    return ok;
}

void FakeSettingsStore::Seed(const QString& application, const QString& section, const QString& key,
                             const QString& text)
{
    data_[application][section][key] = text;
}

bool FakeSettingsStore::HasApplication(const QString& application) const
{
    return data_.contains(application);
}

} // namespace platform

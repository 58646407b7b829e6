#include "core/settings.h"

#include <QFileInfo>

#include <cmath>
#include <limits>

#include "platform/dialogs.h"
#include "platform/services.h"
#include "platform/settingsStore.h"
#include "util/programMessages.h"

namespace settings {

const Location kCurrent{QStringLiteral("Corvale's Soft"), QStringLiteral("Tollbrook2")};
const Location kLegacy{QStringLiteral("Tollbrook2"), QStringLiteral("Tollbrook2")};

namespace {

// The value older releases never store: a window whose left key reads as this
// from the legacy location takes its settings from the current one.
constexpr float kNoLegacyValue = -9999;

platform::ISettingsStore& Store()
{
    return *platform::services().settings;
}

std::optional<double> ToNumber(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString Read(const Location& from, const QString& key, const QString& defaultText)
{
    return Store().Read(from.application, from.section, key, defaultText);
}

bool Write(const QString& key, const QString& text)
{
    return Store().Write(kCurrent.application, kCurrent.section, key, text);
}

QString ReasonText(const platform::StoreFailure& failure)
{
    using messages::ProgramMessage;
    switch (failure.why) {
    case platform::StoreFailureReason::NotAFile: return messages::Text(ProgramMessage::SettingsNotAFile);
    case platform::StoreFailureReason::DanglingLink:
        return messages::Text(ProgramMessage::SettingsDanglingLink)
            .arg(QFileInfo(failure.path).symLinkTarget());
    case platform::StoreFailureReason::NotUnderstood:
        return messages::Text(ProgramMessage::SettingsNotUnderstood);
    case platform::StoreFailureReason::NoCopyKept: return messages::Text(ProgramMessage::SettingsNoCopyKept);
    case platform::StoreFailureReason::NotWritten: break;
    }
    return messages::Text(ProgramMessage::SettingsNotWritten);
}

} // namespace

QString FromBoolean(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString FromInteger(int value)
{
    return QString::number(value);
}

// Seven significant digits hold every single-precision value exactly enough
// to read back the same number, without the noise of its double expansion.
QString FromSingle(float value)
{
    return QString::number(value, 'g', 7);
}

std::optional<bool> ToBoolean(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    const std::optional<double> number = ToNumber(trimmed);
    if (!number)
        return std::nullopt;
    return *number != 0;
}

std::optional<short> ToInteger(const QString& text)
{
    const std::optional<double> number = ToNumber(text);
    if (!number)
        return std::nullopt;
    const double rounded = std::nearbyint(*number); // halves go to the even neighbour
    if (rounded < std::numeric_limits<short>::min() || rounded > std::numeric_limits<short>::max()) {
        return std::nullopt;
    }
    return static_cast<short>(rounded);
}

std::optional<float> ToSingle(const QString& text)
{
    const std::optional<double> number = ToNumber(text);
    if (!number || std::fabs(*number) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(*number);
}

bool ReadBoolean(const Location& from, const QString& key, bool defaultValue, bool& target)
{
    const std::optional<bool> value = ToBoolean(Read(from, key, FromBoolean(defaultValue)));
    if (value)
        target = *value;
    return value.has_value();
}

bool ReadInteger(const Location& from, const QString& key, short defaultValue, short& target)
{
    const std::optional<short> value = ToInteger(Read(from, key, FromInteger(defaultValue)));
    if (value)
        target = *value;
    return value.has_value();
}

bool ReadSingle(const Location& from, const QString& key, float defaultValue, float& target)
{
    const std::optional<float> value = ToSingle(Read(from, key, FromSingle(defaultValue)));
    if (value)
        target = *value;
    return value.has_value();
}

QString ReadText(const Location& from, const QString& key, const QString& defaultValue)
{
    return Read(from, key, defaultValue);
}

bool WriteBoolean(const QString& key, bool value)
{
    return Write(key, FromBoolean(value));
}

bool WriteInteger(const QString& key, int value)
{
    return Write(key, FromInteger(value));
}

bool WriteSingle(const QString& key, float value)
{
    return Write(key, FromSingle(value));
}

bool WriteText(const QString& key, const QString& value)
{
    return Write(key, value);
}

const Location& GeometryLocation(const QString& leftKey)
{
    const std::optional<float> left = ToSingle(Read(kLegacy, leftKey, FromSingle(kNoLegacyValue)));
    return left && *left == kNoLegacyValue ? kCurrent : kLegacy;
}

bool RemoveStoredSettings()
{
    const bool removed = Store().DeleteSection(kCurrent.application, kCurrent.section);
    return Store().Sync() && removed;
}

void TellKeptCopies()
{
    for (const platform::KeptCopy& kept : Store().TakeKeptCopies())
        platform::services().dialogs->MessageBox(
            messages::Text(messages::ProgramMessage::DamagedSettingsKept).arg(kept.path, kept.copyPath),
            platform::MessageButtons::Ok);
}

void TellStoreFailures()
{
    for (const platform::StoreFailure& failure : Store().TakeStoreFailures())
        platform::services().dialogs->MessageBox(messages::Text(messages::ProgramMessage::SettingsNotStored)
                                                     .arg(failure.path, ReasonText(failure)),
                                                 platform::MessageButtons::Ok);
}

} // namespace settings

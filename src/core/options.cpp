#include "core/options.h"

#include "core/settings.h"
#include "platform/services.h"
#include "platform/settingsStore.h"
#include "util/terminalLine.h"

#include <QCoreApplication>

namespace options {

namespace {

// Marks the settings format. An older release's settings carry a version of
// their own; "0.00" means there is none.
const QString kVersionKey = QStringLiteral("Version");
const QString kNoVersion = QStringLiteral("0.00");
const QString kVersion = QStringLiteral("1.02");

// The value converted to the member's type, when it converts.
std::optional<bool> Converted(bool Options::*, const QString& text)
{
    return settings::ToBoolean(text);
}

std::optional<short> Converted(short Options::*, const QString& text)
{
    return settings::ToInteger(text);
}

std::optional<QString> Converted(QString Options::*, const QString& text)
{
    return text;
}

QString TextOf(bool value)
{
    return settings::FromBoolean(value);
}

QString TextOf(short value)
{
    return settings::FromInteger(value);
}

QString TextOf(const QString& value)
{
    return value;
}

bool InRange(short value, const std::optional<Option::Range>& range)
{
    return !range || (value >= range->lowest && value <= range->highest);
}

template <typename Value>
bool InRange(const Value&, const std::optional<Option::Range>&)
{
    return true;
}

} // namespace

Options& Current()
{
    static Options current;
    return current;
}

Options Defaults()
{
    Options defaults;
    for (const Option& option : kOptions)
        SetFromText(defaults, option, QString::fromUtf16(option.defaultText));
    return defaults;
}

QString StoredText(const Options& options, const Option& option)
{
    return std::visit([&](auto member) { return TextOf(options.*member); }, option.member);
}

bool SwitchOn(const Options& options, std::string_view key)
{
    const Option* option = FindOption(key);
    const auto* member = option ? std::get_if<bool Options::*>(&option->member) : nullptr;
    return member && options.**member;
}

QString TextOption(const Options& options, std::string_view key)
{
    const Option* option = FindOption(key);
    const auto* member = option ? std::get_if<QString Options::*>(&option->member) : nullptr;
    return member ? options.**member : QString();
}

bool SetFromText(Options& options, const Option& option, const QString& text)
{
    return std::visit(
        [&](auto member) {
            const auto value = Converted(member, text);
            if (!value || !InRange(*value, option.range))
                return false;
            options.*member = *value;
            return true;
        },
        option.member);
}

QList<InvalidStoredValue> LoadOptions()
{
    using namespace settings;
    QList<InvalidStoredValue> invalid;
    const QString legacyVersion = ReadText(kLegacy, kVersionKey, kNoVersion);
    const Location& from = legacyVersion == kNoVersion ? kCurrent : kLegacy;
    for (const Option& option : kOptions) {
        const QString key = QString::fromLatin1(option.key);
        const QString defaultText = QString::fromUtf16(option.defaultText);
        const QString text = ReadText(from, key, defaultText);
        // A value nobody can read would otherwise leave the option false or
        // zero, and "Lzh=maybe" would turn every LZH archive away unsaid.
        if (!SetFromText(Current(), option, text)) {
            SetFromText(Current(), option, defaultText);
            invalid.append({key, text, defaultText});
        }
    }
    return invalid;
}

void ReportInvalid(const QList<InvalidStoredValue>& invalid)
{
    for (const InvalidStoredValue& value : invalid)
        SayOnTerminal(QCoreApplication::translate(
                          "terminal", "the stored option %1=\"%2\" is not valid; its default \"%3\" is used")
                          .arg(value.key, value.text, value.defaultText));
}

void SaveOptions()
{
    using namespace settings;
    // Every write is tried even after one fails; the older release's settings
    // go only when all of them, and the windows' own keys, are on disk.
    bool written = WriteText(kVersionKey, kVersion);
    for (const Option& option : kOptions)
        written = WriteText(QString::fromLatin1(option.key), StoredText(Current(), option)) && written;

    platform::ISettingsStore& store = *platform::services().settings;
    written = store.Sync() && written;
    if (!written)
        return;
    store.DeleteApplication(kLegacy.application);
    store.Sync();
}

} // namespace options

#pragma once

#include "platform/dialogs.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>
#include <string_view>
#include <variant>

// The options of the program: one value per stored key. A fresh process
// starts with false, 0 and empty texts; LoadOptions fills them from the
// settings store (defaults for absent keys), the options dialog changes
// them, SaveOptions stores them at exit.
namespace options {

struct Options {
    bool convertLzh = false;    // .LZH archives are converted
    bool convertCab = false;    // .CAB archives are converted
    bool convertLzhX = false;   // .X files that are LZH archives too
    bool convertLzhLha = false; // .LHA files as LZH archives
    bool convertLzhExe = false; // .EXE files that are LZH archives too
    bool convertCabExe = false; // .EXE files that are CAB archives too
    QString lzhDosOptions;      // LZH library options per self-extractor kind
    QString lzhWin16Options;
    QString lzhWin32Options;
    QString cabOptions;                // CAB library options, every kind
    bool upperCaseNames = false;       // created files get upper-case names
    bool leaveOutForeignNames = false; // leave out entries another system cannot hold
    bool autoRun = false;              // command-line archives are converted at once
    short autoRunKind = 0;             // kind of the automatic run: 0 DOS, 1 Win16, 2 Win32
    bool autoRunCopiesHistory = false; // the automatic run copies its history to the clipboard
    bool resizeChildren = false;       // child windows follow the main window's size
    bool showTooltips = false;
    QString fontName;   // font of every window
    short fontSize = 0; // in points
    bool fontBold = false;
    bool fontItalic = false;
};

// One stored option: its settings key, where its value lives in Options
// (the member's type is the option's type) and what a new user starts with,
// in the text form the settings store holds.
struct Option {
    const char* key;
    std::variant<bool Options::*, short Options::*, QString Options::*> member;
    const char16_t* defaultText;
    // A number outside [lowest, highest] is not taken; only numbers have one.
    struct Range {
        short lowest;
        short highest;
    };
    std::optional<Range> range = std::nullopt;
};

// Every option, in the order they are read and stored.
inline constexpr auto kOptions = std::to_array<Option>({
    {"Lzh", &Options::convertLzh, u"True"},
    {"Cab", &Options::convertCab, u"True"},
    {"Lzh_X", &Options::convertLzhX, u"False"},
    {"Lzh_Lha", &Options::convertLzhLha, u"False"},
    {"Lzh_Exe", &Options::convertLzhExe, u"False"},
    {"Cab_Exe", &Options::convertCabExe, u"False"},
    {"Lzh_OptDos", &Options::lzhDosOptions, u"s -+ -jyo -x1  -y1 -gm1"},
    {"Lzh_OptWin16", &Options::lzhWin16Options, u"s -+ -jw2 -jyo -x1  -y1 -gm1"},
    {"Lzh_OptWin32", &Options::lzhWin32Options, u"s -+ -gw2 -jyo -x1  -y1 -gm1"},
    {"Cab_Opt", &Options::cabOptions, u"-f"},
    {"UCase", &Options::upperCaseNames, u"True"},
    {"Nozoku", &Options::leaveOutForeignNames, u"False"},
    {"Auto", &Options::autoRun, u"False"},
    {"AutoExe", &Options::autoRunKind, u"2"},
    {"AutoLog", &Options::autoRunCopiesHistory, u"True"},
    {"Resize", &Options::resizeChildren, u"True"},
    {"Tip", &Options::showTooltips, u"True"},
    {"Font_Name", &Options::fontName, u"ＭＳ 明朝"},
    {"Font_Size", &Options::fontSize, u"10",
     // What the font chooser offers: a larger size would make every window
     // lay out a font it can hardly hold.
     Option::Range{platform::kSmallestFontSize, platform::kLargestFontSize}},
    {"Font_Bold", &Options::fontBold, u"False"},
    {"Font_Italic", &Options::fontItalic, u"False"},
});

// The option stored under key; nullptr for none.
constexpr const Option* FindOption(std::string_view key)
{
    for (const Option& option : kOptions) {
        if (key == option.key)
            return &option;
    }
    return nullptr;
}

// Whether key names an option of type T.
template <typename T>
constexpr bool IsOptionOf(std::string_view key)
{
    const Option* option = FindOption(key);
    return option && std::holds_alternative<T Options::*>(option->member);
}

// A true/false option and a text option by key (tables name options by
// their keys); false and an empty text for a key of no such option.
bool SwitchOn(const Options& options, std::string_view key);
QString TextOption(const Options& options, std::string_view key);

// The options of this process.
Options& Current();

// Every option at its default.
Options Defaults();

// The value of one option in its stored text form: "True"/"False", a
// decimal number, or the text itself.
QString StoredText(const Options& options, const Option& option);

// Sets one option from its stored text form; false, and the option left as
// it was, when the text does not convert to the option's type or the number
// lies outside the option's range.
bool SetFromText(Options& options, const Option& option, const QString& text);

// A stored value that does not convert to its option's type, and the default
// used instead.
struct InvalidStoredValue {
    QString key;
    QString text;
    QString defaultText;
};

// Reads every option into Current(); a stored value that does not convert
// or is out of range gives its option the default, and is returned so the
// caller can say so.
// Settings of an older release are read when they are there.
QList<InvalidStoredValue> LoadOptions();

// Says on standard error, one line each, which stored values were not
// valid and which defaults took their place.
void ReportInvalid(const QList<InvalidStoredValue>& invalid);

// Writes every option of Current() to the current location and, once that
// has reached the disk, removes the settings of the older release. Also
// writes out whatever the windows stored before it.
void SaveOptions();

} // namespace options

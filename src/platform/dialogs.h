#pragma once

#include <QString>

namespace platform {

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// What the font chooser edits: the four font options of the program.
// The font sizes the font chooser offers, in points.
inline constexpr short kSmallestFontSize = 6;
inline constexpr short kLargestFontSize = 72;

struct FontChoice {
    QString name;
    float size = 0;
    bool bold = false;
    bool italic = false;

    friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

// Modal questions to the user. Every box carries the application title.
class IDialogs {
public:
    virtual ~IDialogs() = default;

    virtual MessageAnswer MessageBox(const QString& text, MessageButtons buttons) = 0;

    // The text typed, or an empty string when the user cancels.
    virtual QString InputBox(const QString& prompt, const QString& title, const QString& proposedText) = 0;

    // filter uses the "Description|pattern|Description|pattern" form, for
    // example "LogFile(*.LOG)|*.LOG|All(*.*)|*.*"; defaultExtension (".LOG")
    // is appended to a name typed without one. Empty when cancelled.
    virtual QString SaveFileName(const QString& filter, const QString& defaultExtension) = 0;

    // The font picked; the initial font when the user cancels.
    virtual FontChoice ChooseFont(const FontChoice& initial) = 0;
};

} // namespace platform

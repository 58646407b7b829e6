#pragma once

#include <QFont>
#include <QList>
#include <QString>

#include <optional>

class QWidget;

// The presentation every window shares: the font of the options, tooltips
// from the catalogue, and the twips the stored places and the layout rules
// are given in.
namespace presentation {

// The font the options name (Font_Name, Font_Size, Font_Bold, Font_Italic).
// The default "ＭＳ 明朝" is found through the fontconfig alias the
// program installs (LoadFontAliases).
QFont OptionsFont();

// Sets OptionsFont() on each target, in order.
void ApplyFont(const QList<QWidget*>& targets);

// One control and its catalogue tooltip.
struct Tooltip {
    QWidget* control;
    QString text;
};

// Every listed control gets its text when show is true, the empty text
// otherwise. Screen readers read the tooltip as the control's description.
void ApplyTooltips(const QList<Tooltip>& tooltips, bool show);

// Adds the program's fontconfig rules (the Mincho alias of the default
// font) to the fonts of this process. To be called before the first font
// is used; false when the rules file is missing or unreadable.
bool LoadFontAliases(const QString& rulesFile);

// The rules file of this installation: <data folder>/fontconfig.conf beside
// the libraries' folder (share/tollbrook2 next to lib/tollbrook2).
QString InstalledFontRules();

// Twips (1/1440 inch) and pixels at a logical resolution of dotsPerInch.
int ToPixels(double twips, int dotsPerInch);
float ToTwips(int pixels, int dotsPerInch);

// The layout arithmetic of the windows works in 16-bit integers, rounding
// to the nearest with halves to even; nothing when the value does not fit.
std::optional<short> ToLayoutInteger(double value);

} // namespace presentation

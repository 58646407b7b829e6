#pragma once

#include <QFont>
#include <QList>

class QWidget;

// The font every window shares: the one the options name.
namespace presentation {

// The font the options name (Font_Name, Font_Size, Font_Bold, Font_Italic).
// The default "ＭＳ 明朝" is found through the fontconfig alias the
// program installs (platform::LoadFontAliases).
QFont OptionsFont();

// Sets OptionsFont() on each target, in order.
void ApplyFont(const QList<QWidget*>& targets);

} // namespace presentation

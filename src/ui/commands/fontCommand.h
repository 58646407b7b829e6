#pragma once

#include "core/options.h"
#include "platform/dialogs.h"

// The Font command's decision, apart from the windows that show its result.
namespace fontCommand {

// The four font options as the font chooser edits them.
platform::FontChoice FontOf(const options::Options& options);

// Takes the font the chooser returned into the options. False, and nothing
// touched, when it is the font they hold already (names compared exactly, the
// size as a number); otherwise all four are stored, the size rounded to whole
// points with ties to even (10.5 gives 10, 11.5 gives 12).
bool TakeFont(const platform::FontChoice& chosen, options::Options& options);

// The current font as the chooser shows it: the face the stored name
// resolves to (the default "ＭＳ 明朝" is only a fontconfig alias, which no
// chooser lists), with the stored size and style.
platform::FontChoice ShownFont();

// The command: shows the chooser on ShownFont() and takes what it returns
// into the current options. True when the font changed, so the windows must
// apply it; cancelling, or OK on the face shown unchanged, keeps the stored
// name and changes nothing.
bool ChooseFont();

} // namespace fontCommand

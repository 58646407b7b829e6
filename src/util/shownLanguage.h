#pragma once

// The language the program's texts are shown in: chosen once at start-up,
// before any window or terminal line, and read wherever something beyond the
// translated texts depends on it (the manual Help opens). Number and date
// formats do not follow it.
namespace messages {

// Japanese is the language of the source texts; every other one comes from
// a translation.
enum class Language { Japanese, English };

// Japanese until SetShownLanguage says otherwise.
Language ShownLanguage();
void SetShownLanguage(Language language);

} // namespace messages

#include "util/shownLanguage.h"

namespace messages {
namespace {

Language shown = Language::Japanese;

} // namespace

Language ShownLanguage()
{
    return shown;
}

void SetShownLanguage(Language language)
{
    shown = language;
}

} // namespace messages

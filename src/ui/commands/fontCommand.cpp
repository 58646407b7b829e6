#include "ui/commands/fontCommand.h"

#include "platform/services.h"
#include "ui/presentation/fonts.h"

#include <QFontInfo>

#include <algorithm>
#include <cmath>
#include <limits>

namespace fontCommand {
namespace {

// Rounds to the nearest whole number, a half to the even neighbour.
double RoundHalfToEven(double value)
{
    const double nearest = std::round(value); // halves away from zero
    if (std::abs(value - std::trunc(value)) == 0.5)
        return 2 * std::round(value / 2);
    return nearest;
}

} // namespace

platform::FontChoice FontOf(const options::Options& options)
{
    return {options.fontName, static_cast<float>(options.fontSize), options.fontBold, options.fontItalic};
}

bool TakeFont(const platform::FontChoice& chosen, options::Options& options)
{
    if (chosen == FontOf(options))
        return false;
    const double points = RoundHalfToEven(chosen.size);
    options.fontName = chosen.name;
    options.fontSize = static_cast<short>(
        std::clamp<double>(points, std::numeric_limits<short>::min(), std::numeric_limits<short>::max()));
    options.fontBold = chosen.bold;
    options.fontItalic = chosen.italic;
    return true;
}

platform::FontChoice ShownFont()
{
    platform::FontChoice shown = FontOf(options::Current());
    shown.name = QFontInfo(presentation::OptionsFont()).family();
    return shown;
}

bool ChooseFont()
{
    const platform::FontChoice shown = ShownFont();
    const platform::FontChoice chosen = platform::services().dialogs->ChooseFont(shown);
    // The face the stored name stands for, unchanged: the name stays.
    if (chosen == shown)
        return false;
    return TakeFont(chosen, options::Current());
}

} // namespace fontCommand

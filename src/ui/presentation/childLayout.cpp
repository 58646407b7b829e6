#include "ui/presentation/childLayout.h"

#include <cmath>
#include <limits>

namespace childLayout {

namespace {

constexpr double kTwipsPerInch = 1440;

// The usable width inside the margins, when there is any.
std::optional<int> InnerWidth(double clientWidth)
{
    const std::optional<short> width = ToLayoutInteger(clientWidth - 2 * kGap);
    if (!width || *width <= 0)
        return std::nullopt;
    return *width;
}

std::optional<int> HeightIfPositive(int height)
{
    return height >= 1 ? std::optional<int>(height) : std::nullopt;
}

} // namespace

int ToPixels(double twips, int dotsPerInch)
{
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

float ToTwips(int pixels, int dotsPerInch)
{
    return static_cast<float>(pixels * kTwipsPerInch / dotsPerInch);
}

std::optional<short> ToLayoutInteger(double value)
{
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<short>::min()
        || rounded > std::numeric_limits<short>::max())
        return std::nullopt;
    return static_cast<short>(rounded);
}

std::optional<std::array<Rect, 6>> Tiles(double clientWidth, double clientHeight)
{
    const std::optional<short> halfWidth = ToLayoutInteger(clientWidth / 2);
    const std::optional<short> thirdHeight = ToLayoutInteger(clientHeight / 3);
    if (!halfWidth || !thirdHeight)
        return std::nullopt;
    const int w = *halfWidth, h = *thirdHeight;
    return std::array<Rect, 6>{Rect{0, 0, w, h}, Rect{0, h, w, h}, Rect{0, 2 * h, w, h},
                               Rect{w, 0, w, h}, Rect{w, h, w, h}, Rect{w, 2 * h, w, h}};
}

std::optional<int> CancelButtonLeft(double clientWidth, double cancelWidth)
{
    const std::optional<short> left = ToLayoutInteger(clientWidth - kGap - cancelWidth);
    if (!left || *left <= 0)
        return std::nullopt;
    return *left;
}

std::optional<Place> FullList(double clientWidth, double clientHeight)
{
    const std::optional<int> width = InnerWidth(clientWidth);
    const std::optional<short> height = ToLayoutInteger(clientHeight - 2 * kGap);
    if (!width || !height)
        return std::nullopt;
    return Place{kGap, kGap, *width, HeightIfPositive(*height)};
}

std::optional<ListAndButtons> ListWithButtons(double clientWidth, double clientHeight,
                                              const QList<int>& buttonWidths, int buttonHeight)
{
    const std::optional<int> width = InnerWidth(clientWidth);
    const std::optional<short> height = ToLayoutInteger(clientHeight - buttonHeight - 3 * kGap);
    if (!width || !height)
        return std::nullopt;
    ListAndButtons layout{Place{kGap, kGap, *width, HeightIfPositive(*height)}, {}};
    int left = kGap;
    for (int buttonWidth : buttonWidths) {
        layout.buttons.append(Place{left, *height + 2 * kGap, buttonWidth, std::nullopt});
        left += buttonWidth + kGap;
    }
    return layout;
}

std::optional<FolderControls> FolderWindow(double clientWidth, double clientHeight, int drivesHeight,
                                           int textHeight)
{
    const std::optional<int> width = InnerWidth(clientWidth);
    const std::optional<short> height = ToLayoutInteger(clientHeight - 4 * kGap - drivesHeight - textHeight);
    if (!width || !height)
        return std::nullopt;
    const int foldersTop = drivesHeight + 2 * kGap;
    return FolderControls{Place{kGap, kGap, *width, std::nullopt},
                          Place{kGap, foldersTop, *width, HeightIfPositive(*height)},
                          Place{kGap, foldersTop + *height + kGap, *width, std::nullopt}};
}

} // namespace childLayout

#pragma once

#include <QList>

#include <array>
#include <optional>

// The layout rules of the desk in twips, as plain arithmetic on 16-bit
// integers (halves rounded to even): where the main window tiles its six
// child windows, where the Cancel button goes, and where each child window
// puts its controls. The windows convert to and from pixels around them.
namespace childLayout {

// 60 twips: the margin of every child window and the gap between controls.
inline constexpr int kGap = 60;

// Twips (1/1440 inch) and pixels at a logical resolution of dotsPerInch.
int ToPixels(double twips, int dotsPerInch);
float ToTwips(int pixels, int dotsPerInch);

// The layout arithmetic of the windows works in 16-bit integers, rounding
// to the nearest with halves to even; nothing when the value does not fit.
std::optional<short> ToLayoutInteger(double value);

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const Rect&, const Rect&) = default;
};

// A control's new place; a height that would come out below one twip is
// not set, and the control keeps the height it has.
struct Place {
    int left = 0;
    int top = 0;
    int width = 0;
    std::optional<int> height;

    friend bool operator==(const Place&, const Place&) = default;
};

// The six children in two columns of three, in the order input folder,
// input list, work list, output folder, history, output list. Nothing when
// the client area does not fit 16-bit arithmetic.
std::optional<std::array<Rect, 6>> Tiles(double clientWidth, double clientHeight);

// The Cancel button's left edge, 60 twips from the right; nothing when it
// would not be positive (the button stays where it is).
std::optional<int> CancelButtonLeft(double clientWidth, double cancelWidth);

// History and output list: the list fills the window inside the margin.
std::optional<Place> FullList(double clientWidth, double clientHeight);

// Input list and work list: the list on top, a row of buttons below it,
// left to right. buttonWidths in twips, buttonHeight of the first button.
struct ListAndButtons {
    Place list;
    QList<Place> buttons; // left and top only
};
std::optional<ListAndButtons> ListWithButtons(double clientWidth, double clientHeight,
                                              const QList<int>& buttonWidths, int buttonHeight);

// Folder windows: the drive box on top, the folder list, the folder text
// at the bottom.
struct FolderControls {
    Place drives;
    Place folders;
    Place text;
};
std::optional<FolderControls> FolderWindow(double clientWidth, double clientHeight, int drivesHeight,
                                           int textHeight);

} // namespace childLayout

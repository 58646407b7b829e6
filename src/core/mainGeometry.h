#pragma once

#include "core/options.h"

#include <optional>

// The main window's place on the screen as it is stored: twips and the
// window state.
namespace core {

// Stored as its number.
enum class WindowState : short { Normal = 0, Minimized = 1, Maximized = 2 };

struct MainGeometry {
    float left = 1000;
    float top = 1000;
    float width = 8000;
    float height = 8000;
    WindowState windowState = WindowState::Normal;

    friend bool operator==(const MainGeometry&, const MainGeometry&) = default;
};

// Reads Main_Left, Main_Top, Main_Width, Main_Height and Main_WindowState
// from the legacy location when it holds Main_Left, else from the current
// one; absent keys take the defaults above. Nothing when a stored value is
// not a number: the start-up cannot go on with it. A number that is no
// window state gives a normal window and is added to outOfRange, so the
// caller can say so.
std::optional<MainGeometry> ReadMainGeometry(QList<options::InvalidStoredValue>* outOfRange = nullptr);

// A window that would open off a screen of this size (twips) goes back to
// 1000, 1000; a too narrow or too low one gets the default size.
MainGeometry ClampIntoView(MainGeometry geometry, float screenWidth, float screenHeight);

// Stores the window state, and the position and size only for a normal
// window (a maximised window keeps the normal place it had).
void StoreMainGeometry(const MainGeometry& geometry);

} // namespace core

#pragma once

// What every window and dialog of the desk offers the commands that reach
// all of them at once: the font command re-applies the font options, the
// options dialog the tooltip option, and closing the desk lets each one
// store what it remembers.
class Presentable {
public:
    virtual ~Presentable() = default;

    // Applies the font options to the window and its listed controls, then
    // lays the window out again (control heights follow the font).
    virtual void ApplyFont() = 0;
    // Shows the catalogue tooltips of the window's controls, or none.
    virtual void ApplyTooltips(bool show) = 0;
    // Stores the window's own settings (place, folders); called once, when
    // the desk closes.
    virtual void StoreSettings() {}
};

#pragma once

#include "ui/presentation/tooltips.h"

#include <QList>

class QWidget;

// A window or dialog of the desk as the presentation reaches it: it follows
// the announced font and tooltip changes from the moment it is made, each
// of its controls is described once (the name a screen reader reads and
// the tooltip), and closing the desk lets it store what it remembers.
class Presentable {
public:
    explicit Presentable(QWidget& window);
    virtual ~Presentable() = default;

    // Sets the font options on the window, whose controls take it from
    // there; a window lays itself out again here (control heights follow
    // the font).
    virtual void ApplyFont();
    // Shows the described controls' tooltips, or none.
    void ApplyTooltips(bool show);
    // Stores the window's own settings (place, folders); called once, when
    // the desk closes.
    virtual void StoreSettings() {}

protected:
    // A control without a caption that says what it is (a list, a picture
    // or arrow button, a text box): screen readers name it by message,
    // which is also its tooltip while tooltips are on. Describing a control
    // again replaces its message.
    void Describe(QWidget* control, const QString& message);
    // A control its caption names: message is only its tooltip, which
    // screen readers read as its description.
    void Tip(QWidget* control, const QString& message);
    QWidget& Window() const { return window_; }

private:
    QWidget& window_;
    QList<presentation::Tooltip> described_;
    bool tooltipsShown_ = false;
};

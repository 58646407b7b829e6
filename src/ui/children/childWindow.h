#pragma once

#include "ui/presentation/childLayout.h"
#include "ui/presentation/presentable.h"

#include <QWidget>

#include <optional>

class QMdiSubWindow;
class QMenu;

// What the six child windows of the desk share: an internal name (for the
// load-failure text) and a settings-key prefix for their place, a popup
// menu that the right mouse button opens on the window or on its listed
// controls (or the context-menu key), the enabled state of their menu bar,
// and a layout that follows their size and font.
class ChildWindow : public QWidget, public Presentable {
    Q_OBJECT
public:
    // internalName: "mdiFile", ...; placePrefix: "File" for File_Left, ...
    ChildWindow(const QString& internalName, const QString& placePrefix, QWidget* parent = nullptr);

    QMenu* Popup() const { return popup_; }
    // The MDI frame around the window, when it is in one.
    QMdiSubWindow* SubWindow() const;

    // Reads the stored place (legacy location first, as for every window).
    // False when a stored value is not a number: the load fails.
    bool ReadStoredPlace();
    // Puts the window where it was stored, on top of the place it has (a
    // key that was not stored keeps the current value). Twips at dpi.
    void MoveToStoredPlace(int dotsPerInch);
    // Whether any place was stored for this window.
    bool HasStoredPlace() const;

    // The menu bar of this window is usable (off during a run).
    void SetMenuEnabled(bool enabled);
    bool MenuEnabled() const { return menuEnabled_; }
    // The whole window, frame included, takes input or not.
    void SetWindowEnabled(bool enabled);

    // The failure text of this window's load step.
    QString LoadFailure() const;

    // The window and its controls take the font; then the layout follows.
    void ApplyFont() override;
    // Stores the place when the desk is in its normal state and the
    // children are not tiled.
    void StoreSettings() override;

    // Lays the controls out for the window's size (the resize rule).
    void LayOutControls();
    // Called right before the desk paints: a list that rows were added to
    // since its last layout is laid out now, so what is painted is current.
    virtual void BeforePaint() {}

signals:
    void MenuEnabledChanged(bool enabled);

protected:
    // Places the controls for a client area of this size, in twips.
    virtual void LayOut(double clientWidth, double clientHeight) = 0;

    // The popup opens on a right-button press on control (on its viewport
    // for a list), which the control itself then does not see.
    void OpenPopupOn(QWidget* control);
    // Moves and sizes a control to a place given in twips.
    void Put(QWidget* control, const childLayout::Place& place);
    int ToTwips(int pixels) const;

    void resizeEvent(QResizeEvent* event) override;
    // A child window lives as long as the desk: a close request minimises it.
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString placePrefix_;
    QMenu* popup_;
    bool menuEnabled_ = true;
    std::optional<float> storedLeft_, storedTop_, storedWidth_, storedHeight_;
};

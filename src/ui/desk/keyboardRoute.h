#pragma once

#include <QList>
#include <QObject>

class QMdiArea;
class QMdiSubWindow;
class QWidget;
class RunPanel;

// The keyboard's way between the panes of the desk: F6 moves on from the run
// panel through the six child windows and back to the panel, Shift+F6 the
// other way, as in other multi-pane programs. Tab stays inside a pane. A
// pane that cannot take the keyboard (a run locks the windows, the panel's
// buttons may all be off) is passed over.
class KeyboardRoute : public QObject {
    Q_OBJECT
public:
    // The shortcuts live in desk, the window the panel and the area are in.
    KeyboardRoute(QWidget& desk, RunPanel& panel, QMdiArea& area);

    // Moves the keyboard to the next pane (forward) or the previous one.
    void MoveOn(bool forward);

private:
    // The pane that holds the keyboard: 0 the panel, 1 to 6 the children in
    // the area's creation order; -1 when none does.
    int CurrentPane() const;
    bool Enter(int pane);

    RunPanel& panel_;
    QMdiArea& area_;
};

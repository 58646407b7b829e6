#include "ui/desk/keyboardRoute.h"

#include "ui/desk/runPanel.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QShortcut>

#include <algorithm>

KeyboardRoute::KeyboardRoute(QWidget& desk, RunPanel& panel, QMdiArea& area)
    : QObject(&desk), panel_(panel), area_(area)
{
    auto* forward = new QShortcut(QKeySequence(Qt::Key_F6), &desk);
    auto* backward = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), &desk);
    connect(forward, &QShortcut::activated, this, [this] { MoveOn(true); });
    connect(backward, &QShortcut::activated, this, [this] { MoveOn(false); });
}

void KeyboardRoute::MoveOn(bool forward)
{
    const int panes = 1 + static_cast<int>(area_.subWindowList().size());
    const int start = std::max(CurrentPane(), 0);
    for (int step = 1; step < panes; ++step) {
        const int pane = (start + (forward ? step : panes - step)) % panes;
        if (Enter(pane))
            return;
    }
}

int KeyboardRoute::CurrentPane() const
{
    const QWidget* focus = QApplication::focusWidget();
    if (!focus)
        return -1;
    if (panel_.isAncestorOf(focus))
        return 0;
    const QList<QMdiSubWindow*> children = area_.subWindowList();
    for (int i = 0; i < children.size(); ++i) {
        if (children[i]->isAncestorOf(focus))
            return i + 1;
    }
    return -1;
}

bool KeyboardRoute::Enter(int pane)
{
    if (pane == 0)
        return panel_.TakeKeyboard();
    QMdiSubWindow* child = area_.subWindowList().at(pane - 1);
    if (!child->isEnabled() || !child->isVisible())
        return false;
    area_.setActiveSubWindow(child);
    // The window's own last control, or its first one the first time.
    QWidget* window = child->widget();
    QWidget* target = window->focusWidget();
    for (QWidget* next = window->nextInFocusChain(); !target && next != window;
         next = next->nextInFocusChain()) {
        if (window->isAncestorOf(next) && next->isEnabled() && next->isVisibleTo(window)
            && (next->focusPolicy() & Qt::TabFocus))
            target = next;
    }
    if (!target)
        return false;
    target->setFocus(Qt::TabFocusReason);
    return true;
}

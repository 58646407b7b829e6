#include "ui/presentation/menuKeyAlias.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QWidget>

MenuKeyAlias::MenuKeyAlias(QObject* parent) : QObject(parent)
{
    qApp->installEventFilter(this);
}

bool MenuKeyAlias::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    QWidget* focus = QApplication::focusWidget();
    if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::ShiftModifier || focus == nullptr
        || watched != focus)
        return false;
    // What the Menu key sends: a popup request from the keyboard, at the
    // middle of the control, which goes up to whoever offers a popup.
    const QPoint middle = focus->rect().center();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, middle, focus->mapToGlobal(middle),
                              key->modifiers());
    QApplication::sendEvent(focus, &request);
    return true;
}

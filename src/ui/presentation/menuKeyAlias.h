#pragma once

#include <QObject>

// Shift+F10 opens the popup menu of the control with the keyboard, as the
// Menu key does: keyboards without a Menu key reach every popup (folder
// aliases, Select all, "same as the output folder") this way, in the desk
// and in its dialogs alike. Installed on the application.
class MenuKeyAlias : public QObject {
    Q_OBJECT
public:
    explicit MenuKeyAlias(QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

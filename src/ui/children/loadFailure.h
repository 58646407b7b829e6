#pragma once

#include <QString>

class QWidget;

// What a window tells the user when its load step fails: the application
// title, the window's internal name (its objectName), the step and "ERR",
// as docs/names.md lists them.
QString LoadFailureText(const QWidget& window, const QString& step);

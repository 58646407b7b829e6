#pragma once

#include <QString>

// Writes "tollbrook2: <text>" as one line on standard error, at once: the
// form of every message the program leaves for a terminal.
void SayOnTerminal(const QString& text);

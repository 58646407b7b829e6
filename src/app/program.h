#pragma once

#include <QStringList>

namespace app {

// The exit status of a start that would open the desk where nobody can see it.
inline constexpr int kNoDisplayStatus = 3;

// Runs the program once the QApplication exists: the main window's load
// step, then the desk until it is closed. arguments: without the program name.
int Run(const QStringList& arguments);

}  // namespace app

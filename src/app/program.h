#pragma once

#include <QStringList>

namespace app {

// Runs the program once the QApplication exists: the windowless start, then
// the desk until it is closed; returns the exit status. arguments: without
// the program's own name.
int Run(const QStringList& arguments);

} // namespace app

#pragma once

#include <QByteArray>
#include <QList>

namespace app {

// Runs the program once the QApplication exists: the windowless start, then
// the desk until it is closed; returns the exit status. arguments: as the
// system passed them, without the program's own name and Qt's options.
int Run(const QList<QByteArray>& arguments);

} // namespace app

#pragma once

#include "core/runLists.h"

#include <QString>
#include <QStringList>

namespace core {

// The command-line text built from the program's arguments: a name that is
// not a switch (does not begin with "/") is made absolute against
// currentFolder, a name holding a space is put in double quotes, and the
// names are joined by one space.
QString CommandLineText(const QStringList& arguments, const QString& currentFolder);

// True when the text asks for the removal of the stored settings ("/U").
bool IsRemovalSwitch(const QString& commandLineText);

// Fills the work list from the command-line text; false when an unclosed
// quote or a refused name emptied it again.
bool ParseCommandLine(const QString& text, IWorkList& work);

// Passes one name to the work list; false when the list refused it.
bool AddCommandLineFile(const QString& name, IWorkList& work);

} // namespace core

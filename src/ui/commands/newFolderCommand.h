#pragma once

#include <QString>

// The new-folder command's dialogue: asks for the name of a folder to make
// inside `parent`, tells the user why a name is refused or the folder could
// not be made, and returns the new folder's full path. Empty when nothing was
// made, and without a word when the user cancelled or typed only spaces.
QString AskAndMakeFolder(const QString& parent);

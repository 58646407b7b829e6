// The program's last step after a conversion: the new self-extractor's name
// in upper case, without ever replacing another file.
#pragma once

#include <QString>

namespace run {

// Renames the file `name` in folder (ending with '/') to `upper`. A file the
// user keeps under the upper-case name stays, and the new one keeps its
// name (false). On a folder that folds case, `upper` is `name` itself and
// only the spelling changes.
bool RenameToUpperCase(const QString& folder, const QString& name, const QString& upper);

} // namespace run

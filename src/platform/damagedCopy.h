#pragma once

#include <QString>

#include <optional>

namespace platform {

// Copies the settings file at path, as it is now, aside before it is written
// over: to "<path>.damaged", then ".damaged.1", ... up to a hundred names.
// An earlier copy with the same bytes is taken instead of a new one, so a
// file that stays damaged from start to start is kept only once. The copy is
// as private as the file. Gives where the bytes are kept, an empty path when
// there is no file to keep, nothing when no copy could be made (the file must
// then not be written over).
std::optional<QString> KeepDamagedCopy(const QString& path);

} // namespace platform

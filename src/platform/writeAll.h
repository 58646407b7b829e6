#pragma once

#include <QByteArray>

namespace platform {

// Writes all of bytes to the open file or pipe fd, as many calls as it
// takes; false when a call fails or writes nothing.
bool WriteAll(int fd, const QByteArray& bytes);

} // namespace platform

// Whether a file can be read.
#include "util/paths.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace paths {

bool FileExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    // Only regular files count, and only the file opened is looked at:
    // O_NONBLOCK keeps a named pipe from waiting for a writer, and folders or
    // devices are never archives.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status;
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    ::close(fd);
    return regular;
}

} // namespace paths

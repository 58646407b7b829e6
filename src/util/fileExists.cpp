// Whether a file can be read.
#include "util/paths.h"

#include <QFile>
#include <QFileInfo>

namespace paths {

bool FileExists(const QString& path)
{
    // Only regular files count: opening a named pipe would wait for a writer,
    // and folders or devices are never archives.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

} // namespace paths

// Whether a file can be read.
#include "util/basAll.h"

#include <QFile>
#include <QFileInfo>

namespace basAll {

bool FileExists(const QString& path)
{
    if (path.isEmpty() || QFileInfo(path).isDir())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

} // namespace basAll

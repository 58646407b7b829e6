#include "platform/qtDocumentViewer.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

bool QtDocumentViewer::Open(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace platform

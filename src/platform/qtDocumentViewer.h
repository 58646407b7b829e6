#pragma once

#include "platform/documentViewer.h"

namespace platform {

// Hands the file to the desktop (xdg-open or the desktop portal) through
// QDesktopServices; QGuiApplication must exist.
class QtDocumentViewer : public IDocumentViewer {
public:
    bool Open(const QString& path) override;
};

} // namespace platform

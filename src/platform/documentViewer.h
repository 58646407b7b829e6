#pragma once

#include <QString>

namespace platform {

// Shows a document (the manual) in the desktop's own viewer for its type.
class IDocumentViewer {
public:
    virtual ~IDocumentViewer() = default;

    // False when no viewer took the file.
    virtual bool Open(const QString& path) = 0;
};

// A process without a display shows nothing.
class NoDocumentViewer : public IDocumentViewer {
public:
    bool Open(const QString&) override { return false; }
};

} // namespace platform

#pragma once

#include "platform/documentViewer.h"

#include <QStringList>

namespace platform {

// Records every document asked for.
class FakeDocumentViewer : public IDocumentViewer {
public:
    bool Open(const QString& path) override
    {
        opened.append(path);
        return true;
    }

    QStringList opened;
};

} // namespace platform

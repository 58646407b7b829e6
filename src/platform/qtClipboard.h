#pragma once

#include "platform/clipboard.h"

namespace platform {

// The desktop's clipboard (QGuiApplication must exist).
class QtClipboard : public IClipboard {
public:
    void Clear() override;
    void SetText(const QString& text) override;
    QString Text() override;
};

} // namespace platform

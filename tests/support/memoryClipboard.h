#pragma once

#include "platform/clipboard.h"

namespace platform {

// The clipboard of the tests: it lives in this process only, so a test
// reads back what the code copied.
class MemoryClipboard : public IClipboard {
public:
    void Clear() override { text_.clear(); }
    void SetText(const QString& text) override { text_ = text; }
    QString Text() override { return text_; }

private:
    QString text_;
};

} // namespace platform

#pragma once

#include "platform/clipboard.h"

namespace platform {

// A clipboard that lives in this process only: the stand-in of a process
// without a display, and the fake of the tests.
class MemoryClipboard : public IClipboard {
public:
    void Clear() override { text_.clear(); }
    void SetText(const QString& text) override { text_ = text; }
    QString Text() override { return text_; }

private:
    QString text_;
};

} // namespace platform

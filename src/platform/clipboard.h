#pragma once

#include <QString>

namespace platform {

// The system clipboard, plain text only.
class IClipboard {
public:
    virtual ~IClipboard() = default;

    virtual void Clear() = 0;
    virtual void SetText(const QString& text) = 0;
    virtual QString Text() = 0;
};

// A process without a display has no clipboard: what is copied is dropped.
class NoClipboard : public IClipboard {
public:
    void Clear() override {}
    void SetText(const QString&) override {}
    QString Text() override { return {}; }
};

} // namespace platform

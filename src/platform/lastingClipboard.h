#pragma once

#include "platform/clipboard.h"

namespace platform {

// The clipboard of a process that ends soon after it copies (the automatic
// run). On X11 a clipboard's text lives in the process that set it, and is
// gone when it ends unless a clipboard manager takes it over. So the text is
// given to a small process of its own (this program started with
// --keep-clipboard, in a session of its own), which hands it to a clipboard
// manager where one runs, and otherwise keeps serving it until something
// else is copied or the display goes. Where that process cannot take the
// clipboard (no display, Wayland), the text is set here as before.
class LastingClipboard : public IClipboard {
public:
    // here: the clipboard of this process, for the rest.
    explicit LastingClipboard(IClipboard& here) : here_(here) {}
    void Clear() override;
    void SetText(const QString& text) override;
    QString Text() override;

private:
    IClipboard& here_;
};

// The --keep-clipboard process: takes the text on standard input, puts it
// on the clipboard, says so by writing "1" on standard output and closing
// it, and returns once a clipboard manager has it or another program owns
// the clipboard. A QGuiApplication must exist. The exit status is 0 when the
// text was kept, 1 when the clipboard could not be taken.
int KeepClipboard();

} // namespace platform

#pragma once

#include "platform/dialogs.h"

namespace platform {

// Dialogs for a process without a display: nobody is there to answer, so the
// text goes to standard error and every box takes its default answer (OK for
// a message, No for a question, cancel for input, save and font dialogs).
class HeadlessDialogs : public IDialogs {
public:
    MessageAnswer MessageBox(const QString& text, MessageButtons buttons) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& proposedText) override;
    QString SaveFileName(const QString& filter, const QString& defaultExtension) override;
    FontChoice ChooseFont(const FontChoice& initial) override;
};

} // namespace platform

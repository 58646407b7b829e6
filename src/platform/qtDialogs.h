#pragma once

#include "platform/dialogs.h"
#include "platform/headlessDialogs.h"

#include <memory>

class QFileDialog;
class QFontDialog;
class QInputDialog;
class QMessageBox;
class QWidget;

namespace platform {

// The Qt dialogs, titled with the application title. Without a display they fall back to
// the headless answers, so a windowless run never waits for anyone.
class QtDialogs : public IDialogs {
public:
    MessageAnswer MessageBox(const QString& text, MessageButtons buttons) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& proposedText) override;
    QString SaveFileName(const QString& filter, const QString& defaultExtension) override;
    FontChoice ChooseFont(const FontChoice& initial) override;

private:
    HeadlessDialogs headless_;
};

// "LogFile(*.LOG)|*.LOG|All(*.*)|*.*" -> "LogFile(*.LOG);;All(*.*)", the
// pattern added in parentheses where the description does not end with it.
QString QtFileFilter(const QString& filter);

// The Qt dialogs QtDialogs runs, built and not yet shown, so that what they
// say can be read before anyone answers them.
std::unique_ptr<QMessageBox> NewMessageBox(const QString& text, MessageButtons buttons, QWidget* owner);
std::unique_ptr<QInputDialog> NewInputBox(const QString& prompt, const QString& title,
                                          const QString& proposedText, QWidget* owner);
std::unique_ptr<QFileDialog> NewSaveFileDialog(const QString& filter, const QString& defaultExtension,
                                               QWidget* owner);
std::unique_ptr<QFontDialog> NewFontDialog(const FontChoice& initial, QWidget* owner);

} // namespace platform

#pragma once

#include <QList>
#include <QQueue>
#include <QString>

#include "platform/dialogs.h"

namespace platform {

// Dialogs for tests: answers come from scripted queues (an empty queue gives
// the headless default), and every question asked is recorded.
class FakeDialogs : public IDialogs {
public:
    enum class Kind { Message, Input, SaveFile, Font };
    struct Question {
        Kind kind;
        QString text;   // message text, input prompt, or save filter
        QString title;  // input box title
        QString detail; // proposed input text, or default extension
        MessageButtons buttons = MessageButtons::Ok;
    };

    MessageAnswer MessageBox(const QString& text, MessageButtons buttons) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& proposedText) override;
    QString SaveFileName(const QString& filter, const QString& defaultExtension) override;
    FontChoice ChooseFont(const FontChoice& initial) override;

    QQueue<MessageAnswer> messageAnswers;
    QQueue<QString> inputAnswers; // an empty string stands for Cancel
    QQueue<QString> saveAnswers;  // an empty string stands for Cancel
    QQueue<FontChoice> fontAnswers;

    QList<Question> asked;
    QStringList messages() const; // the texts of the message boxes shown
};

} // namespace platform

#include "support/fakeDialogs.h"

namespace platform {

MessageAnswer FakeDialogs::MessageBox(const QString& text, MessageButtons buttons)
{
    asked.append(Question{Kind::Message, text, {}, {}, buttons});
    if (!messageAnswers.isEmpty())
        return messageAnswers.dequeue();
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

QString FakeDialogs::InputBox(const QString& prompt, const QString& title, const QString& proposedText)
{
    asked.append(Question{Kind::Input, prompt, title, proposedText});
    return inputAnswers.isEmpty() ? QString() : inputAnswers.dequeue();
}

QString FakeDialogs::SaveFileName(const QString& filter, const QString& defaultExtension)
{
    asked.append(Question{Kind::SaveFile, filter, {}, defaultExtension});
    return saveAnswers.isEmpty() ? QString() : saveAnswers.dequeue();
}

FontChoice FakeDialogs::ChooseFont(const FontChoice& initial)
{
    asked.append(Question{Kind::Font, initial.name, {}, QString::number(initial.size)});
    return fontAnswers.isEmpty() ? initial : fontAnswers.dequeue();
}

QStringList FakeDialogs::messages() const
{
    QStringList texts;
    for (const Question& question : asked) {
        if (question.kind == Kind::Message)
            texts.append(question.text);
    }
    return texts;
}

} // namespace platform

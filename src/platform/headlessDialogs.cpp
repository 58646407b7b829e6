#include "platform/headlessDialogs.h"

#include "util/applicationTitle.h"

#include <cstdio>

namespace platform {

namespace {

void PrintLine(const QString& text)
{
    // A message may hold line breaks; one report is one line on the terminal.
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(stderr, "%s: %s\n", ApplicationTitle().toUtf8().constData(), line.toUtf8().constData());
    std::fflush(stderr);
}

} // namespace

MessageAnswer HeadlessDialogs::MessageBox(const QString& text, MessageButtons buttons)
{
    PrintLine(text);
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

QString HeadlessDialogs::InputBox(const QString& prompt, const QString&, const QString&)
{
    PrintLine(prompt);
    return {};
}

QString HeadlessDialogs::SaveFileName(const QString&, const QString&)
{
    return {};
}

FontChoice HeadlessDialogs::ChooseFont(const FontChoice& initial)
{
    return initial;
}

} // namespace platform

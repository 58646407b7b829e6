#include "util/terminalLine.h"

#include <cstdio>

void SayOnTerminal(const QString& text)
{
    const QByteArray line = QByteArrayLiteral("tollbrook2: ") + text.toUtf8() + '\n';
    std::fputs(line.constData(), stderr);
    std::fflush(stderr);
}

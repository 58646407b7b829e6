#include "platform/iniReading.h"

#include <QStringDecoder>

namespace platform {
namespace {

bool IsUtf8Text(QByteArrayView line)
{
    if (line.contains('\0'))
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder(line); // decodes here, setting the error flag
    return !decoder.hasError();
}

// A backslash at the end joins the next line to this one (Qt reads it so);
// with lines left out it would join a line it was never meant for.
bool EndsInContinuation(QByteArrayView line)
{
    qsizetype backslashes = 0;
    while (backslashes < line.size() && line[line.size() - 1 - backslashes] == '\\')
        ++backslashes;
    return backslashes % 2 == 1;
}

} // namespace

IniReading ReadIni(const QByteArray& bytes)
{
    IniReading reading;
    QByteArrayView rest(bytes);
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    bool inUnreadableSection = false;
    int number = 0;
    while (!rest.isEmpty()) {
        ++number;
        const qsizetype end = rest.indexOf('\n');
        const QByteArrayView line = end < 0 ? rest : rest.first(end + 1);
        rest = rest.sliced(line.size());
        const QByteArrayView content = line.trimmed();

        bool readable = IsUtf8Text(line) && !EndsInContinuation(content);
        if (readable && content.startsWith('[')) {
            readable = content.endsWith(']');
            inUnreadableSection = !readable;
        } else if (readable && !content.isEmpty() && !content.startsWith(';')) {
            // Only ';' starts a comment for Qt: "#k=1" is the key "#k", and a
            // '#' line without '=' makes Qt refuse the whole file.
            readable = !inUnreadableSection && content.contains('=');
        }
        if (readable) {
            reading.readable += line;
        } else {
            reading.skippedLines.append(number);
        }
    }
    if (!reading.readable.isEmpty() && !reading.readable.endsWith('\n'))
        reading.readable += '\n';
    return reading;
}

} // namespace platform

#include "app/historyEcho.h"

#include <cerrno>

#include <unistd.h>

namespace {

// The engine indents the lines about the archive in hand: with an
// ideographic space in Japanese, with spaces in English.
bool Indented(const QString& line)
{
    return line.startsWith(QChar(0x3000)) || line.startsWith(u' ');
}

} // namespace

HistoryEcho::HistoryEcho(std::FILE* stream) : stream_(stream) {}

HistoryEcho::~HistoryEcho()
{
    Flush();
}

void HistoryEcho::Add(const QString& line)
{
    waiting_ += line.toUtf8();
    waiting_ += '\n';
    if (!Indented(line))
        Flush();
}

void HistoryEcho::Flush()
{
    if (waiting_.isEmpty())
        return;
    // Whatever the stream itself holds goes first; the lines then go out
    // whole, past the stream's own buffering (a terminal's would write each
    // line alone).
    std::fflush(stream_);
    const int fd = ::fileno(stream_);
    qsizetype written = 0;
    while (written < waiting_.size()) {
        const ssize_t n = ::write(fd, waiting_.constData() + written, size_t(waiting_.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        // A closed or failing stream cannot show the lines; the run goes on.
        if (n <= 0)
            break;
        written += n;
    }
    waiting_.resize(0);
}

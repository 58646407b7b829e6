#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>

// The history of an automatic run echoed on a stream, one write per archive:
// the lines indented under an archive's heading wait for the next line that
// is not indented (the next archive's heading or the run's end line) and go
// out with it. Whoever watches sees each archive's heading as it starts and
// its outcome as soon as the next one starts or the run ends; a done
// archive's lines are never left waiting.
class HistoryEcho {
public:
    explicit HistoryEcho(std::FILE* stream);
    ~HistoryEcho();
    HistoryEcho(const HistoryEcho&) = delete;
    HistoryEcho& operator=(const HistoryEcho&) = delete;

    void Add(const QString& line);
    // Writes every line still waiting.
    void Flush();

private:
    std::FILE* stream_;
    QByteArray waiting_;
};

#include "app/historyEcho.h"
#include "support/printQString.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace {

// A pipe whose reading end tells what has been written so far.
class Pipe {
public:
    Pipe()
    {
        int fds[2];
        EXPECT_EQ(::pipe2(fds, O_CLOEXEC), 0);
        ::fcntl(fds[0], F_SETFL, O_NONBLOCK);
        reader_ = fds[0];
        writer = ::fdopen(fds[1], "w");
    }
    ~Pipe()
    {
        std::fclose(writer);
        ::close(reader_);
    }

    QString Written() const
    {
        QByteArray bytes;
        char chunk[4096];
        ssize_t n;
        while ((n = ::read(reader_, chunk, sizeof chunk)) > 0)
            bytes.append(chunk, n);
        return QString::fromUtf8(bytes);
    }

    std::FILE* writer = nullptr;

private:
    int reader_ = -1;
};

TEST(HistoryEcho, AnArchivesLinesGoOutWithTheNextUnindentedLine)
{
    // The Japanese lines are indented with an ideographic space, the English
    // ones with two spaces.
    for (const QString& indent : {QStringLiteral("\u3000"), QStringLiteral("  ")}) {
        const QString making = indent + QStringLiteral("making");
        const QString created = indent + QStringLiteral("created");
        struct Step {
            QString added;
            QString seen; // what the reader finds right after
        };
        const Step steps[] = {
            {QStringLiteral("[ /in/A.LZH ]"), QStringLiteral("[ /in/A.LZH ]\n")},
            {making, {}},
            {created, {}},
            {QStringLiteral("[ /in/B.LZH ]"), making + u'\n' + created + QStringLiteral("\n[ /in/B.LZH ]\n")},
            {making, {}},
            {QStringLiteral("all finished"), making + QStringLiteral("\nall finished\n")},
        };
        Pipe pipe;
        HistoryEcho echo(pipe.writer);
        for (const Step& step : steps) {
            echo.Add(step.added);
            EXPECT_EQ(pipe.Written(), step.seen) << step.added.toStdString();
        }
    }
}

TEST(HistoryEcho, WaitingLinesGoOutOnFlushAndAtTheEnd)
{
    Pipe pipe;
    {
        HistoryEcho echo(pipe.writer);
        // Printed through the stream before: stays first.
        std::fputs("before\n", pipe.writer);
        echo.Add(QStringLiteral("[ /in/A.LZH ]"));
        echo.Add(QStringLiteral("\u3000making"));
        echo.Flush();
        EXPECT_EQ(pipe.Written(), QStringLiteral("before\n[ /in/A.LZH ]\n\u3000making\n"));
        echo.Add(QStringLiteral("\u3000failed"));
    }
    EXPECT_EQ(pipe.Written(), QStringLiteral("\u3000failed\n"));
}

} // namespace

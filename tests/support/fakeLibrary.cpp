#include "support/fakeLibrary.h"

#include "common/handOver.h"
#include "common/resultCodes.h"

#include <QFile>

#include <cstdio>

#include <fcntl.h>
#include <unistd.h>
#include <QRegularExpression>

namespace archiver {

int FakeArchiverLibrary::GetVersion()
{
    return version;
}

bool FakeArchiverLibrary::GetRunning()
{
    calls << QStringLiteral("running");
    return running;
}

int FakeArchiverLibrary::CheckArchive(const QString& path, int mode)
{
    calls << QStringLiteral("check %1 %2").arg(path).arg(mode);
    return check(path);
}

int FakeArchiverLibrary::Run(const QString& commandLine)
{
    calls << QStringLiteral("run ") + commandLine;
    return run ? run(commandLine) : returnCode;
}

std::function<int(const QString&)> FakeArchiverLibrary::WritesExe(int code)
{
    return [code](const QString& commandLine) -> int {
        // ... "<archive>" "<folder>/" at the end of the line.
        static const QRegularExpression tail(QStringLiteral(R"re("(.*)" "(.*)"$)re"));
        const auto m = tail.match(commandLine);
        if (!m.hasMatch())
            return tbarc::kBadCommand;
        const QString archive = m.captured(1);
        QString name = archive.mid(archive.lastIndexOf(u'/') + 1);
        const qsizetype dot = name.lastIndexOf(u'.');
        if (dot >= 0)
            name.truncate(dot);
        const QString exe = m.captured(2) + name + QStringLiteral(".EXE");
        // Handed over unplaced, when the line asks for it, as the real
        // libraries do: a file without a name, its place to be taken later.
        static const QRegularExpression handOver(QStringLiteral(R"re( -gk(\d+) )re"));
        if (const auto socket = handOver.match(commandLine); socket.hasMatch()) {
            const int fd =
                ::open(QFile::encodeName(m.captured(2)).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
            if (fd < 0)
                return tbarc::kFolderNotWritable;
            const bool written = ::write(fd, "MZ", 2) == 2;
            const bool sent = written
                && tbarc::SendHandedOver(socket.captured(1).toInt(),
                                         {fd,
                                          QFile::encodeName(exe).toStdString(),
                                          {},
                                          false,
                                          commandLine.contains(QStringLiteral(" -+ "))});
            ::close(fd);
            return sent ? code : tbarc::kFolderNotWritable;
        }
        // As the real libraries do: a new file, moved into place.
        QFile scratch(exe + QStringLiteral(".part"));
        if (!scratch.open(QIODevice::WriteOnly))
            return tbarc::kFolderNotWritable;
        scratch.write("MZ");
        scratch.close();
        if (std::rename(QFile::encodeName(scratch.fileName()).constData(), QFile::encodeName(exe).constData())
            != 0) {
            scratch.remove();
            return tbarc::kFolderNotWritable;
        }
        return code;
    };
}

} // namespace archiver

#include "support/fakeLibrary.h"

#include "common/resultCodes.h"

#include <QFile>

#include <cstdio>
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
        // As the real libraries do: a new file, moved into place.
        const QString exe = m.captured(2) + name + QStringLiteral(".EXE");
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

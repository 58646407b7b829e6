#include "core/callOptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "util/languages.h"

namespace core {
namespace {

// The codes of the language table as a choice, lastJoint joining the last
// two: "ja or en".
QString LanguageChoice(const QString& lastJoint)
{
    const QStringList codes = messages::LanguageCodes();
    QString choice = codes.first();
    for (qsizetype i = 1; i < codes.size(); ++i) {
        const QString joint = i + 1 == codes.size() ? lastJoint : QStringLiteral("%1, %2");
        choice = joint.arg(choice, codes[i]);
    }
    return choice;
}

std::optional<short> KindByName(const QString& name)
{
    if (name == u"dos")
        return 0;
    if (name == u"win16")
        return 1;
    if (name == u"win32")
        return 2;
    return std::nullopt;
}

} // namespace

CallOptions ParseCallArguments(const QList<QByteArray>& arguments, const QString& currentFolder)
{
    CallOptions call;
    bool optionsEnded = false;
    for (const QByteArray& bytes : arguments) {
        const QString argument = QFile::decodeName(bytes);
        const bool decodable = QFile::encodeName(argument) == bytes;
        if (optionsEnded || !bytes.startsWith("--")) {
            if (decodable)
                call.names << argument;
            else
                call.undecodableNames << bytes;
        } else if (!decodable) {
            call.error = QCoreApplication::translate("terminal", "option \"%1\" is not valid UTF-8")
                             .arg(PrintableName(bytes));
        } else if (argument == u"--") {
            optionsEnded = true;
        } else if (argument == u"--help") {
            call.help = true;
        } else if (argument == u"--version") {
            call.version = true;
        } else if (argument == u"--auto") {
            call.automatic = true;
        } else if (argument.startsWith(QStringLiteral("--kind="))) {
            call.kind = KindByName(argument.mid(7));
            if (!call.kind)
                call.error =
                    QCoreApplication::translate("terminal", "unknown kind \"%1\" (dos, win16 or win32)")
                        .arg(argument.mid(7));
        } else if (argument.startsWith(QStringLiteral("--lang="))) {
            call.language = argument.mid(7);
            if (!messages::Language::ByCode(call.language))
                call.error = QCoreApplication::translate("terminal", "unknown language \"%1\" (%2)")
                                 .arg(call.language,
                                      LanguageChoice(QCoreApplication::translate("terminal", "%1 or %2")));
        } else if (argument.startsWith(QStringLiteral("--jobs="))) {
            bool number = false;
            call.jobs = argument.mid(7).toInt(&number);
            if (!number || *call.jobs < 1)
                call.error = QCoreApplication::translate(
                                 "terminal", "--jobs needs a whole number of 1 or more, not \"%1\"")
                                 .arg(argument.mid(7));
        } else if (argument.startsWith(QStringLiteral("--out="))) {
            const QString folder = argument.mid(6);
            if (folder.isEmpty()) {
                call.error = QCoreApplication::translate("terminal", "--out needs a folder");
            } else {
                call.outputFolder = QDir::cleanPath(QDir(currentFolder).absoluteFilePath(folder));
                if (!QFileInfo(call.outputFolder).isDir())
                    call.error =
                        QCoreApplication::translate("terminal", "output folder \"%1\" does not exist")
                            .arg(call.outputFolder);
            }
        } else {
            call.error =
                QCoreApplication::translate("terminal", "unknown option \"%1\" (see --help)").arg(argument);
        }
    }
    return call;
}

QString PrintableName(const QByteArray& name)
{
    QString printable;
    qsizetype i = 0;
    while (i < name.size()) {
        const auto byte = static_cast<unsigned char>(name[i]);
        // The length of the UTF-8 sequence a lead byte announces.
        const qsizetype length = byte < 0x80 ? 1 : byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC2 ? 2 : 0;
        if (length > 1 && i + length <= name.size()) {
            const QByteArray sequence = name.mid(i, length);
            const QString decoded = QFile::decodeName(sequence);
            if (QFile::encodeName(decoded) == sequence) {
                printable += decoded;
                i += length;
                continue;
            }
        }
        if (length == 1 && byte >= 0x20 && byte < 0x7F)
            printable += QChar(byte);
        else
            printable += QStringLiteral("\\x%1").arg(byte, 2, 16, QChar(u'0'));
        ++i;
    }
    return printable;
}

QString UsageText()
{
    return QStringLiteral("Usage: tollbrook2 [options] [archives...]\n"
                          "       tollbrook2 /U\n"
                          "\n"
                          "Turns LZH and CAB archives into self-extracting executables.\n"
                          "Without the automatic run the archives wait in the work list of the window.\n"
                          "\n"
                          "Options:\n"
                          "  --auto          convert the archives at once and end, as with the option\n"
                          "                  Auto on (for this call only; nothing is stored)\n"
                          "  --kind=KIND     self-extractor kind of the automatic run: dos, win16, win32\n"
                          "                  (default: the stored option AutoExe)\n"
                          "  --out=FOLDER    output folder of the automatic run (default: the start\n"
                          "                  folder of the output folder window)\n"
                          "  --jobs=N        convert on N processes side by side in the automatic run\n"
                          "                  (default: the number of processors this call may use)\n"
                          "  --lang=LANG     the language of the windows and the lines of this start:\n"
                          "                  %1 (default: the desktop's language)\n"
                          "  --help          show this text and end\n"
                          "  --version       show the version and end\n"
                          "  --              what follows are archive names\n"
                          "  /U              ask whether to delete the stored settings, then end\n"
                          "\n"
                          "Each argument is one archive name, quotes and spaces included.\n"
                          "Every history line of an automatic run is also written to standard output;\n"
                          "every name not taken gets a line on standard error saying why.\n"
                          "\n"
                          "Exit status:\n"
                          "  0  every archive was converted\n"
                          "  1  some archives, or some names given, were not converted\n"
                          "  2  the run stopped (disk full, output folder not writable, cancelled)\n"
                          "  3  nothing was done (no archive taken in an automatic run, no display,\n"
                          "     or a wrong option)\n"
                          "  4  more archives were given than one run takes (1000); none was converted\n")
        .arg(LanguageChoice(QStringLiteral("%1 or %2")));
}

} // namespace core

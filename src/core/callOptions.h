#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace core {

// What one call of the program asks for beyond the archive names. Options
// begin with "--"; "--" alone ends them. Names never clash with options:
// they are made absolute before the program looks at them.
struct CallOptions {
    bool help = false;
    bool version = false;
    bool automatic = false;    // --auto: as if the option Auto were on
    std::optional<short> kind; // --kind=dos|win16|win32
    QString outputFolder;      // --out=<folder>, made absolute
    QString language;          // --lang=ja|en; the program installs it before the parse
    std::optional<int> jobs;   // --jobs=N: worker processes of the automatic run
    QStringList names;         // everything else, in order
    // Names whose bytes are no text in the file-name encoding (UTF-8): no
    // string could give them back to the file system unchanged.
    QList<QByteArray> undecodableNames;
    QString error; // why the call cannot go ahead
};

// arguments: the program's arguments as the system passed them, without its
// own name.
CallOptions ParseCallArguments(const QList<QByteArray>& arguments, const QString& currentFolder);

// A name's bytes for a terminal line: printable ASCII and valid UTF-8 as they
// are, every other byte as \xNN.
QString PrintableName(const QByteArray& name);

// The text of --help.
QString UsageText();

// Exit statuses of the program.
enum ExitStatus {
    ExitAllConverted = 0,
    ExitSomeNotConverted = 1,
    ExitStopped = 2,
    ExitNothingDone = 3,
    ExitOverLimit = 4,
};

} // namespace core

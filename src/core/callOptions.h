#pragma once

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
    QStringList names;         // everything else, in order
    QString error;             // why the call cannot go ahead
};

CallOptions ParseCallArguments(const QStringList& arguments, const QString& currentFolder);

// The text of --help.
QString UsageText();

// Exit statuses of the program.
enum ExitStatus {
    ExitAllConverted = 0,
    ExitSomeNotConverted = 1,
    ExitStopped = 2,
    ExitNothingDone = 3,
};

} // namespace core

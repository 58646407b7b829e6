#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <optional>

// The start-up steps that come before any window: --help and --version, the
// "/U" removal switch, the options, the library check and the automatic run.
struct WindowlessStart {
    // Set when the process ends here, with its exit status.
    std::optional<int> exitStatus;
    // The archive names for the work list of the desk: absolute, one an
    // argument (run::TakeCommandLineNames takes them).
    QStringList archiveNames;
    // The automatic run found more names than one run takes.
    bool listFull = false;
};

// arguments: the program's arguments as the system passed them, without its
// own name. Lines for the terminal go to standard output (history) and
// standard error (names not taken, settings not understood).
WindowlessStart StartWithoutWindow(const QList<QByteArray>& arguments);

// Says on standard error that more names were given than one run takes, and
// gives the exit status for it.
int EndOverLimit();

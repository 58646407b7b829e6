#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The start-up steps that come before any window: --help and --version, the
// "/U" removal switch, the options, the library check and the automatic run.
struct WindowlessStart {
    // Set when the process ends here, with its exit status.
    std::optional<int> exitStatus;
    // The command-line text made from the arguments: the archives for the
    // work list.
    QString commandLineText;
};

// arguments: the program's arguments without its own name.
WindowlessStart StartWithoutWindow(const QStringList& arguments);

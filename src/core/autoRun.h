#pragma once

#include "core/runControl.h"
#include "core/runLists.h"

#include <QString>

#include <optional>

namespace core {

// True while an automatic run loads or runs: the windows then neither show
// nor store anything.
extern bool AutoRunning;

// The lists an automatic run fills, and what it runs with.
struct AutoRunParts {
    IWorkList& work;
    IHistory& history;
    SfxEngine& engine;
};

// The automatic run: takes the names of the command-line text, converts
// them with kind into outputFolder and, when the options ask for it, copies
// the history to the clipboard. Nothing when the text gave no acceptable file
// (the desk then opens as usual).
std::optional<RunSummary> AutoRun(const QString& commandLineText, tbarc::SfxKind kind,
                                  const QString& outputFolder, AutoRunParts parts);

} // namespace core

#pragma once

#include <QString>

namespace core {

// The folder the output folder window opens at start-up, read even in an
// automatic run: Dir_Out when Dir_Out_Yuko is on, else OldDir_Out (the
// legacy location when it holds OutDir_Left); the current folder when that
// folder cannot be opened. Given in its long-name form.
QString OutputStartFolder(const QString& currentFolder);

} // namespace core

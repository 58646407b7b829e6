#pragma once

#include "core/settings.h"
#include "folders/folderSide.h"

#include <QString>

#include <optional>

namespace folders {

// Where a folder window opens: the fixed initial folder when it is in
// force, else the folder that was open at the last exit. The initial-folder
// dialog edits the first two; the window stores all three at exit.
struct StartFolders {
    QString initialFolder;
    bool initialInForce = true;
    QString lastFolder;

    QString StartFolder() const { return initialInForce ? initialFolder : lastFolder; }

    friend bool operator==(const StartFolders&, const StartFolders&) = default;
};

// Reads the three values of a side; an absent folder is currentFolder.
// Nothing when the stored in-force flag is no Boolean.
std::optional<StartFolders> ReadStartFolders(FolderSide side, const settings::Location& from,
                                             const QString& currentFolder);

// Stores the initial folder and its flag as they are now, and openFolder
// as the folder of this exit.
void StoreStartFolders(FolderSide side, const StartFolders& folders, const QString& openFolder);

} // namespace folders

#include "folders/startFolders.h"

namespace folders {

std::optional<StartFolders> ReadStartFolders(FolderSide side, const settings::Location& from,
                                             const QString& currentFolder)
{
    const FolderSideKeys& keys = KeysOf(side);
    StartFolders folders;
    folders.initialFolder = settings::ReadText(from, keys.initialFolder, currentFolder);
    if (!settings::ReadBoolean(from, keys.initialInForce, true, folders.initialInForce))
        return std::nullopt;
    folders.lastFolder = settings::ReadText(from, keys.lastFolder, currentFolder);
    return folders;
}

void StoreStartFolders(FolderSide side, const StartFolders& folders, const QString& openFolder)
{
    const FolderSideKeys& keys = KeysOf(side);
    settings::WriteText(keys.initialFolder, folders.initialFolder);
    settings::WriteBoolean(keys.initialInForce, folders.initialInForce);
    settings::WriteText(keys.lastFolder, openFolder);
}

} // namespace folders

#include "archiver/archiver.h"
#include "archiver/sharedLibrary.h"

#include "util/paths.h"

#include <QDir>

namespace archiver {

Libraries& InstalledLibraries()
{
    static Libraries found;
    return found;
}

Libraries FindLibraries(const QString& systemFolder)
{
    Libraries found;
    if (systemFolder.isEmpty())
        return found;
    const QDir folder(systemFolder);
    if (auto unlha = SharedArchiverLibrary::Load(folder.filePath(UnlhaFileName), "Unlha")) {
        found.unlhaVersion = unlha->GetVersion();
        found.unlha = std::move(unlha);
    }
    if (auto cab = SharedArchiverLibrary::Load(folder.filePath(CabFileName), "Cab")) {
        found.cabVersion = cab->GetVersion();
        found.cab = std::move(cab);
    }
    return found;
}

void LoadInstalledLibraries()
{
    InstalledLibraries() = FindLibraries(paths::GetSystemDir());
}

} // namespace archiver

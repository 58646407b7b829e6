#include "archiver/archiver.h"
#include "archiver/sharedLibrary.h"

#include "util/paths.h"

#include <QDir>

namespace archiver {

Libraries& libraries()
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
        found.UnlhaVersion = unlha->GetVersion();
        found.Unlha = std::move(unlha);
        found.UnlhaAvailable = true;
    }
    if (auto cab = SharedArchiverLibrary::Load(folder.filePath(CabFileName), "Cab")) {
        found.CabVersion = cab->GetVersion();
        found.Cab = std::move(cab);
        found.CabAvailable = true;
    }
    return found;
}

void LoadInstalledLibraries()
{
    libraries() = FindLibraries(paths::GetSystemDir());
}

} // namespace archiver

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
    for (KindIndex kind = 0; kind < kArchiveKinds.size(); ++kind) {
        const ArchiveKind& row = kArchiveKinds[kind];
        if (auto library = SharedArchiverLibrary::Load(folder.filePath(QString::fromLatin1(row.libraryFile)),
                                                       row.symbolPrefix)) {
            const int version = library->GetVersion();
            found.Set(kind, std::move(library), version);
        }
    }
    return found;
}

void LoadInstalledLibraries()
{
    InstalledLibraries() = FindLibraries(paths::GetSystemDir());
}

} // namespace archiver

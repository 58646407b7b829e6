#pragma once

#include "archiver/archiveKinds.h"

#include <QString>

#include <memory>

namespace archiver {

// One archiver library as the engine sees it: the four calls every library
// exports (version, busy test, archive check and the main command).
class IArchiverLibrary {
public:
    virtual ~IArchiverLibrary() = default;

    // The library's version times 100.
    virtual int GetVersion() = 0;
    // True while another caller (this process or another one) uses the library.
    virtual bool GetRunning() = 0;
    // 1 exactly when the file is an archive this library reads.
    virtual int CheckArchive(const QString& path, int mode) = 0;
    // Runs one command line; the library's own return code.
    virtual int Run(const QString& commandLine) = 0;
};

// One kind's library as start-up found it: null when it was not found (it
// is then never called), with the version it told when it was loaded.
struct LoadedLibrary {
    std::shared_ptr<IArchiverLibrary> library;
    int version = 0;
};

// What start-up found in the system folder, one library per archive kind
// (kArchiveKinds' order).
struct Libraries {
    std::array<LoadedLibrary, kArchiveKinds.size()> ofKind;

    // The library of a kind; nullptr when it was not found.
    IArchiverLibrary* Of(KindIndex kind) const { return ofKind[kind].library.get(); }
    void Set(KindIndex kind, std::shared_ptr<IArchiverLibrary> library, int version = 0)
    {
        ofKind[kind] = {std::move(library), version};
    }
};

// The libraries of this process, as the last LoadInstalledLibraries left them.
Libraries& InstalledLibraries();

// Looks for every kind's library in systemFolder and loads what is there.
Libraries FindLibraries(const QString& systemFolder);

// Fills InstalledLibraries() from the system folder of this installation.
void LoadInstalledLibraries();

} // namespace archiver

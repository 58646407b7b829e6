#pragma once

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

// What start-up found in the system folder: a library that was not found
// is null and never called. The versions are those the libraries told when
// they were loaded (0 for one not found).
struct Libraries {
    std::shared_ptr<IArchiverLibrary> unlha;
    std::shared_ptr<IArchiverLibrary> cab;
    int unlhaVersion = 0;
    int cabVersion = 0;
};

// The libraries of this process, as the last LoadInstalledLibraries left them.
Libraries& InstalledLibraries();

// File names of the two libraries inside the system folder.
inline constexpr char UnlhaFileName[] = "libunlha32.so";
inline constexpr char CabFileName[] = "libcab32.so";

// Looks for both libraries in systemFolder and loads what is there.
Libraries FindLibraries(const QString& systemFolder);

// Fills InstalledLibraries() from the system folder of this installation.
void LoadInstalledLibraries();

} // namespace archiver

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

// What start-up found in the system folder. A library whose flag is false
// is never called.
struct Libraries {
    bool UnlhaAvailable = false;
    bool CabAvailable = false;
    int UnlhaVersion = 0;
    int CabVersion = 0;
    std::shared_ptr<IArchiverLibrary> Unlha;
    std::shared_ptr<IArchiverLibrary> Cab;
};

// The libraries of this process, as the last LoadInstalledLibraries left them.
Libraries& libraries();

// File names of the two libraries inside the system folder.
inline constexpr char UnlhaFileName[] = "libunlha32.so";
inline constexpr char CabFileName[] = "libcab32.so";

// Looks for both libraries in systemFolder and loads what is there.
Libraries FindLibraries(const QString& systemFolder);

// Fills libraries() from the system folder of this installation.
void LoadInstalledLibraries();

} // namespace archiver

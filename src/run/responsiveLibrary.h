#pragma once

#include "archiver/archiver.h"
#include "run/backgroundCall.h"

#include <memory>

// An archiver library whose long calls (converting, checking an archive)
// run on a worker thread while the caller's thread keeps its event loop
// turning, so the desk repaints and takes a click on Cancel during a large
// conversion. The caller still waits for each call to return: the order of
// everything the engine does stays the same. Calls that end within a frame
// do not turn the event loop at all.
class ResponsiveLibrary final : public archiver::IArchiverLibrary {
public:
    explicit ResponsiveLibrary(std::shared_ptr<archiver::IArchiverLibrary> library);

    int GetVersion() override;
    bool GetRunning() override;
    int CheckArchive(const QString& path, int mode) override;
    int Run(const QString& commandLine) override;

    // The given libraries with each loaded one wrapped.
    static archiver::Libraries Wrap(const archiver::Libraries& libraries);

private:
    std::shared_ptr<archiver::IArchiverLibrary> library_;
    BackgroundCall background_;
};

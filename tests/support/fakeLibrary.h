#pragma once

#include "archiver/archiver.h"

#include <QStringList>

#include <functional>

namespace archiver {

// A library double for tests: answers what it is told and records every
// call in order ("check <path>", "running", "run <command line>").
class FakeArchiverLibrary final : public IArchiverLibrary {
public:
    int version = 0;
    bool running = false;
    // Answer of CheckArchive; by default no file is an archive.
    std::function<int(const QString& path)> check = [](const QString&) { return 0; };
    // What Run does; by default it only returns returnCode.
    std::function<int(const QString& commandLine)> run;
    int returnCode = 0;

    QStringList calls;

    int GetVersion() override;
    bool GetRunning() override;
    int CheckArchive(const QString& path, int mode) override;
    int Run(const QString& commandLine) override;

    // A run action that writes "<folder><base name>.EXE" the way a real
    // library does for the command lines the engine builds, then returns code.
    static std::function<int(const QString&)> WritesExe(int code = 0);
};

} // namespace archiver

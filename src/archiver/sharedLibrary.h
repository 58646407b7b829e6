#pragma once

#include "archiver/archiver.h"

#include <QByteArray>
#include <QLibrary>

#include <cstdint>
#include <memory>

namespace archiver {

// An archiver library loaded from its shared object. The four exported
// functions are named after the library ("Unlha", "UnlhaGetVersion", ...).
class SharedArchiverLibrary final : public IArchiverLibrary {
public:
    // Null when the file is missing, does not load or lacks one of the four
    // functions.
    static std::unique_ptr<SharedArchiverLibrary> Load(const QString& file, const char* prefix);

    int GetVersion() override;
    bool GetRunning() override;
    int CheckArchive(const QString& path, int mode) override;
    int Run(const QString& commandLine) override;

    // What the library wrote about its last call; kept for debugging only.
    QByteArray LastOutput() const;

private:
    using MainFn = int (*)(void*, const char*, char*, std::uint32_t);
    using VersionFn = unsigned short (*)();
    using RunningFn = int (*)();
    using CheckFn = int (*)(const char*, int);

    explicit SharedArchiverLibrary(const QString& file);

    QLibrary library_;
    MainFn main_ = nullptr;
    VersionFn version_ = nullptr;
    RunningFn running_ = nullptr;
    CheckFn check_ = nullptr;
    QByteArray output_;
};

} // namespace archiver

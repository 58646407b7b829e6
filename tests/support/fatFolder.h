#pragma once

#include "support/tempFolder.h"

#include <filesystem>
#include <string>

#include <sys/types.h>

namespace testSupport {

// A folder that folds letter case, as a USB stick's does: a small FAT image
// mounted through fusefat for as long as the object lives, and unmounted
// when it goes, also when the test fails (the daemon ends with the test
// process and fusefat's watchdog then unmounts). Where FUSE cannot be used
// (no /dev/fuse, fusefat or mkfs.fat missing, the mount refused) nothing is
// mounted and Unavailable() says why, for the test to skip with.
class FatFolder {
public:
    FatFolder();
    ~FatFolder();
    FatFolder(const FatFolder&) = delete;
    FatFolder& operator=(const FatFolder&) = delete;

    // Empty when the folder is mounted.
    const std::string& Unavailable() const { return unavailable_; }
    const std::string& Path() const { return mountPoint_; }
    std::string operator/(const std::filesystem::path& name) const
    {
        return (std::filesystem::path(mountPoint_) / name).string();
    }

private:
    bool Mounted() const;
    std::string Log() const;

    TempFolder dir_;
    std::string mountPoint_;
    pid_t daemon_ = -1;
    std::string unavailable_;
};

} // namespace testSupport

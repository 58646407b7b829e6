#pragma once

#include "platform/drives.h"

namespace platform {

// The mounted volumes the kernel reports, without kernel and runtime
// pseudo file systems.
class StorageDrives : public IDrives {
public:
    QList<Drive> MountedDrives() override;

    // Whether a mount of this type at this place holds user files.
    static bool IsUserFileSystem(const QString& fileSystemType, const QString& rootPath);
};

} // namespace platform

#pragma once

#include "platform/drives.h"

namespace platform {

// Drives for tests: whatever the test puts in the list.
class FakeDrives : public IDrives {
public:
    QList<Drive> MountedDrives() override { return drives; }

    QList<Drive> drives;
};

} // namespace platform

#pragma once

#include <QList>
#include <QString>

namespace platform {

// One mounted file system the user can browse.
struct Drive {
    QString rootPath; // "/", "/media/usb", ...
    QString label;    // the volume's label, empty when it has none

    friend bool operator==(const Drive&, const Drive&) = default;
};

class IDrives {
public:
    virtual ~IDrives() = default;

    // Mounted real file systems (pseudo file systems left out), sorted by root path.
    virtual QList<Drive> MountedDrives() = 0;
};

} // namespace platform

#pragma once

namespace platform {

class ISettingsStore;
class IDialogs;
class IClipboard;
class IDrives;
class IDocumentViewer;

// The platform services the free functions of the program reach. A fresh
// process starts with window-less implementations (the INI settings store,
// dialogs that answer on standard error, no clipboard, the mounted
// drives, no document viewer); the program installs the Qt dialogs,
// clipboard and document viewer once it has a
// QApplication, tests install fakes with ScopedServices.
struct Services {
    ISettingsStore* settings = nullptr;
    IDialogs* dialogs = nullptr;
    IClipboard* clipboard = nullptr;
    IDrives* drives = nullptr;
    IDocumentViewer* documents = nullptr;
};

// The services in force; never holds a null pointer.
Services& services();

// Installs the given services (null members keep the current ones) for the
// lifetime of this object and restores the previous set afterwards.
class ScopedServices {
public:
    explicit ScopedServices(const Services& replacement);
    ~ScopedServices();
    ScopedServices(const ScopedServices&) = delete;
    ScopedServices& operator=(const ScopedServices&) = delete;

private:
    Services saved_;
};

} // namespace platform

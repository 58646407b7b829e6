#include "platform/services.h"

#include "platform/clipboard.h"
#include "platform/documentViewer.h"
#include "platform/headlessDialogs.h"
#include "platform/iniSettingsStore.h"
#include "platform/storageDrives.h"

namespace platform {

namespace {

Services MakeDefaults()
{
    // Created once and kept for the life of the process; the settings store
    // writes what is pending when it is destroyed at exit, and may still
    // tell the user something then: the dialogs outlive it.
    static HeadlessDialogs dialogs;
    static IniSettingsStore settings;
    static NoClipboard clipboard;
    static StorageDrives drives;
    static NoDocumentViewer documents;
    return Services{.settings = &settings,
                    .dialogs = &dialogs,
                    .clipboard = &clipboard,
                    .drives = &drives,
                    .documents = &documents};
}

void Overlay(Services& target, const Services& replacement)
{
    if (replacement.settings)
        target.settings = replacement.settings;
    if (replacement.dialogs)
        target.dialogs = replacement.dialogs;
    if (replacement.clipboard)
        target.clipboard = replacement.clipboard;
    if (replacement.drives)
        target.drives = replacement.drives;
    if (replacement.documents)
        target.documents = replacement.documents;
}

} // namespace

Services& services()
{
    static Services current = MakeDefaults();
    return current;
}

ScopedServices::ScopedServices(const Services& replacement) : saved_(services())
{
    Overlay(services(), replacement);
}

ScopedServices::~ScopedServices()
{
    services() = saved_;
}

} // namespace platform

#pragma once

#include "support/fakeDialogs.h"
#include "support/fakeDocumentViewer.h"
#include "support/fakeDrives.h"
#include "support/fakeSettingsStore.h"
#include "support/memoryClipboard.h"
#include "platform/services.h"

namespace testSupport {

// Fakes of every platform service, installed for as long as the object
// lives: a test sees what the code stored, asked, copied, listed and opened.
struct FakeServices {
    platform::FakeSettingsStore settings;
    platform::FakeDialogs dialogs;
    platform::MemoryClipboard clipboard;
    platform::FakeDrives drives;
    platform::FakeDocumentViewer documents;
    platform::ScopedServices installed{{.settings = &settings,
                                        .dialogs = &dialogs,
                                        .clipboard = &clipboard,
                                        .drives = &drives,
                                        .documents = &documents}};
};

} // namespace testSupport

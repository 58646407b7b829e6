#pragma once

#include "recorders.h"

#include "archiver/archiver.h"
#include "core/engine.h"
#include "platform/fake_dialogs.h"
#include "platform/services.h"

// An engine on whatever libraries the test puts in, with default options,
// lists that remember what reached them and dialogs that answer as told.
struct EngineRig {
    DefaultOptions options;
    archiver::Libraries libraries;
    RecordingHistory history;
    RecordingOutput output;
    platform::FakeDialogs dialogs;
    platform::ScopedServices services{platform::Services{nullptr, &dialogs, nullptr, nullptr}};
    core::SfxEngine engine{libraries, history, output};
};

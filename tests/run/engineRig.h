#pragma once

#include "recorders.h"

#include "archiver/archiver.h"
#include "run/engine.h"
#include "support/fakeServices.h"

// An engine on whatever libraries the test puts in, with default options,
// lists that remember what reached them and dialogs that answer as told.
struct EngineRig {
    DefaultOptions options;
    archiver::Libraries libraries;
    RecordingHistory history;
    RecordingOutput output;
    testSupport::FakeServices services;
    platform::FakeDialogs& dialogs = services.dialogs;
    run::SfxEngine engine{libraries, history, output};
};

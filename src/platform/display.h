#pragma once

namespace platform {

// True when a QGuiApplication runs on a platform that shows windows to a
// person (not Qt's "offscreen" or "minimal" stand-ins).
bool HasDisplay();

} // namespace platform

// Finds and reads the self-extractor stubs, kept in sfx/ beside the library's
// own shared object (lib/tollbrook2/sfx/ in the build and install trees).
#pragma once

#include <memory>
#include <vector>

namespace tbarc {

using StubBytes = std::shared_ptr<const std::vector<char>>;

// The bytes of sfx/<fileName>, or null when the stub is missing, unreadable or
// empty. A stub is read once per process and read again only when its file
// changed (another size, modification time or inode).
StubBytes ReadStub(const char* fileName);

} // namespace tbarc

// Byte buffers a call needs whole (a small archive read at once, a
// self-extractor gathered for one write) are handed back when the call ends
// and taken again by the next one on the same thread. A run over many small
// archives then neither asks the system for fresh memory per file (which
// the kernel clears page by page and takes back at the next free) nor
// clears the bytes it is about to overwrite.
#pragma once

#include <vector>

namespace tbarc {

using ByteBuffer = std::vector<char>;

// A buffer handed back earlier on this thread, when there is one. Its size
// and bytes are what they were when it was handed back: a caller that fills
// it by position keeps its own count instead of clearing and resizing it.
ByteBuffer TakeSpareBuffer();
// Keeps buffer for the next TakeSpareBuffer (a few, none over a few MiB;
// others are freed).
void ReturnSpareBuffer(ByteBuffer&& buffer);

} // namespace tbarc

#pragma once

#include <QByteArray>
#include <QVariantMap>

#include <optional>

namespace platform {

// What Qt's INI reader reads of INI text, by key ("section/key"; a key of
// [General] without its section), and whether it objected to something.
struct IniValues {
    QVariantMap values;
    bool understood = true; // false when the reader reported a format error
};

// Reads INI text with Qt's own INI reader without a named file: the text is
// handed over in an anonymous memory file, which goes with the process
// however it ends, so nothing is ever left in the temporary folder. Nothing
// when no memory file could be made.
std::optional<IniValues> ReadIniInMemory(const QByteArray& text);

} // namespace platform

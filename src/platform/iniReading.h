#pragma once

#include <QByteArray>
#include <QList>

namespace platform {

// What can be read of the bytes of an INI file, line by line: a line that is
// not UTF-8 text, a [section] line without its closing bracket (and the
// lines of that section), and any other line without "=" but a ';' comment
// are left out ('#' is no comment mark to Qt's reader); the rest is kept as it
// was, without a byte-order mark.
struct IniReading {
    QByteArray readable;
    QList<int> skippedLines; // counted from 1

    bool Whole() const { return skippedLines.isEmpty(); }
};

IniReading ReadIni(const QByteArray& bytes);

} // namespace platform

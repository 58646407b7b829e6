#pragma once

#include <QString>

#include <ostream>

// Lets GoogleTest show QString values as readable text in failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

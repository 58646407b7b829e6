#pragma once

#include <QString>

// The title every message box carries, and the name the program gives itself
// in what it tells the user.
inline QString ApplicationTitle()
{
    return QStringLiteral("Tollbrook2");
}

#pragma once

#include "util/paths.h"

#include <QChar>

namespace paths {

inline QChar Separator(PathStyle style)
{
    return style == PathStyle::Windows ? QChar(u'\\') : QChar(u'/');
}

} // namespace paths

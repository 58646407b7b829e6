#pragma once

#include "util/basAll.h"

#include <QChar>

namespace basAll {

inline QChar Separator(PathStyle style)
{
    return style == PathStyle::Windows ? QChar(u'\\') : QChar(u'/');
}

} // namespace basAll

#pragma once

#include <QString>

namespace testSupport {

// Where the settings are kept, as the tests expect to find them: the
// application of this release, the one of older releases, and the section
// both use.
inline const QString kCurrentApplication = QStringLiteral("Corvale's Soft");
inline const QString kLegacyApplication = QStringLiteral("Tollbrook2");
inline const QString kSection = QStringLiteral("Tollbrook2");

} // namespace testSupport

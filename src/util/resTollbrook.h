#pragma once

#include <QString>

// Texts of this program's own windows and of the batch engine.
namespace resTollbrook {

// The text of message `id`; the empty string when the table has no such row.
QString GetText(int id);

} // namespace resTollbrook

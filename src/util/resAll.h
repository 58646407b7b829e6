#pragma once

#include <QString>

// Texts shared by the folder, list and dialog machinery.
namespace resAll {

// The text of message `id`; the empty string when the table has no such row.
QString GetText(int id);

} // namespace resAll

#pragma once

#include <QString>
#include <QUtf8StringView>

#include <algorithm>
#include <span>

namespace messageTable {

// One catalogue row: a message ID and its UTF-8 text.
struct Row {
    int id;
    const char8_t* text;
};

constexpr bool IsStrictlyAscending(std::span<const Row> rows)
{
    return std::ranges::adjacent_find(rows, [](const Row& a, const Row& b) { return a.id >= b.id; })
        == rows.end();
}

// The text of the row with this ID; an ID without a row gives the empty string.
inline QString Find(std::span<const Row> rows, int id)
{
    const auto row = std::ranges::lower_bound(rows, id, {}, &Row::id);
    if (row == rows.end() || row->id != id)
        return {};
    return QUtf8StringView(row->text).toString();
}

} // namespace messageTable

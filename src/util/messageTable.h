#pragma once

#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <span>

namespace messages {

// One catalogue row: a message and its UTF-8 text. Id is the enumeration of
// the table's message IDs.
template <typename Id>
struct Row {
    Id id;
    const char8_t* text;
};

template <typename Id>
constexpr bool IsStrictlyAscending(std::span<const Row<Id>> rows)
{
    return std::ranges::adjacent_find(rows, [](const Row<Id>& a, const Row<Id>& b) { return a.id >= b.id; })
        == rows.end();
}

// The text of the row with this ID in the language the application speaks:
// the row's own (Japanese) text is the source text of the installed
// translation, context "messages". An ID without a row gives the empty string.
template <typename Id>
QString Find(std::span<const Row<Id>> rows, Id id)
{
    const auto row = std::ranges::lower_bound(rows, id, {}, &Row<Id>::id);
    if (row == rows.end() || row->id != id)
        return {};
    return QCoreApplication::translate("messages", reinterpret_cast<const char*>(row->text));
}

} // namespace messages

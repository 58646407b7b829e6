#pragma once

#include <QAbstractItemView>

class QListView;

namespace listViews {

// The settings every list of the desk shares: rows of one height (so long
// lists stay fast), no editing in place, the given selection mode.
void Configure(QListView& view, QAbstractItemView::SelectionMode mode);

} // namespace listViews

#pragma once

#include <QAbstractItemView>

class QListView;

namespace listViews {

// The settings every list of the desk shares: rows of one size (so long
// lists stay fast) that is as wide as the widest row (so a long name can be
// scrolled to), no editing in place, the given selection mode. The view's
// model is set already.
void Configure(QListView& view, QAbstractItemView::SelectionMode mode);

} // namespace listViews

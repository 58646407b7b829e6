#pragma once

#include <QItemSelectionModel>

// The selection of a one-column list, with the command every list's popup
// offers beside clearSelection(): select every row.
class ListSelection : public QItemSelectionModel {
public:
    using QItemSelectionModel::QItemSelectionModel;

    // Selects every row; an empty list stays without a selection.
    void SelectAll();
};

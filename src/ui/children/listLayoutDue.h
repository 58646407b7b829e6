#pragma once

#include <QObject>

class QListView;

// Knows whether a list view has had rows added or removed since it last laid
// its rows out. A list view forgets its layout with every new row and lays
// the rows out again a turn of the event loop later; a paint in between
// shows an empty list, which a run that adds rows while it paints at the
// screen's rate would show every time.
class ListLayoutDue : public QObject {
    Q_OBJECT
public:
    void Watch(QListView& view);
    // Lays the rows out now when rows have come or gone since.
    void LayOutIfDue();

private:
    QListView* view_ = nullptr;
    bool due_ = false;
};

#pragma once

#include <QStyledItemDelegate>

class QListView;

// Gives every row of a list of uniform rows the width of its widest one, so
// the list scrolls sideways to the end of its longest line. A list of
// uniform rows measures only its first row (which keeps long lists fast);
// this delegate measures each new or changed row once, when the view next
// asks for a size (rows that arrive within one frame are measured
// together, a row inserted empty and then filled only once), and makes the
// first row's size the widest. After a removal, a reset or a new font the rows
// are measured again, once, when the view next asks for a size: a list
// that loses a row for each one it gains (a full history) or many rows one
// by one is not measured whole each time.
class WidestRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Follows view's model and font from now on.
    explicit WidestRowDelegate(QListView& view);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Rows first to last (inclusive) are to be measured.
    void Unmeasured(int first, int last);
    // The text width of rows first to last (inclusive), taken into widest_.
    void Measure(int first, int last) const;
    // The widest row, measured again first when it may have changed.
    int Widest() const;

    QListView& view_;
    mutable int widest_ = 0;
    mutable bool stale_ = true;
    // The rows not measured yet, none when first > last.
    mutable int unmeasuredFirst_ = 0;
    mutable int unmeasuredLast_ = -1;
};

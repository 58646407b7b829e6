#include "ui/children/widestRowDelegate.h"

#include <QEvent>
#include <QFontMetrics>
#include <QListView>

#include <algorithm>

WidestRowDelegate::WidestRowDelegate(QListView& view) : QStyledItemDelegate(&view), view_(view)
{
    const QAbstractItemModel* model = view.model();
    connect(model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
        // Rows waiting behind the new ones have moved down.
        if (unmeasuredLast_ >= first)
            unmeasuredLast_ += last - first + 1;
        Unmeasured(first, last);
    });
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                Unmeasured(topLeft.row(), bottomRight.row());
            });
    // A row that goes may have been the widest.
    connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { stale_ = true; });
    connect(model, &QAbstractItemModel::modelReset, this, [this] { stale_ = true; });
    view.installEventFilter(this);
}

QSize WidestRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    // The row's own margins around the widest text.
    const int margins = size.width() - QFontMetrics(option.font).horizontalAdvance(index.data().toString());
    size.setWidth(std::max(size.width(), Widest() + margins));
    return size;
}

bool WidestRowDelegate::eventFilter(QObject* watched, QEvent* event)
{
    // Watching the view, not an editor: the base class would take the
    // view's Tab for an editor's and keep the keyboard in the list.
    if (watched == &view_) {
        if (event->type() == QEvent::FontChange)
            stale_ = true;
        return false;
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}

void WidestRowDelegate::Unmeasured(int first, int last)
{
    // A stale width is measured whole anyway.
    if (stale_)
        return;
    if (unmeasuredFirst_ > unmeasuredLast_) {
        unmeasuredFirst_ = first;
        unmeasuredLast_ = last;
        return;
    }
    unmeasuredFirst_ = std::min(unmeasuredFirst_, first);
    unmeasuredLast_ = std::max(unmeasuredLast_, last);
}

void WidestRowDelegate::Measure(int first, int last) const
{
    const QAbstractItemModel& model = *view_.model();
    const QFontMetrics metrics(view_.font());
    for (int row = first; row <= last; ++row)
        widest_ = std::max(widest_, metrics.horizontalAdvance(model.index(row, 0).data().toString()));
}

int WidestRowDelegate::Widest() const
{
    if (stale_) {
        stale_ = false;
        widest_ = 0;
        unmeasuredFirst_ = 0;
        unmeasuredLast_ = view_.model()->rowCount() - 1;
    }
    // Rows changed or added since they were asked for last.
    if (unmeasuredFirst_ <= unmeasuredLast_) {
        Measure(unmeasuredFirst_, std::min(unmeasuredLast_, view_.model()->rowCount() - 1));
        unmeasuredFirst_ = 0;
        unmeasuredLast_ = -1;
    }
    return widest_;
}

#include "ui/widestRowDelegate.h"

#include <QEvent>
#include <QFontMetrics>
#include <QListView>

#include <algorithm>

WidestRowDelegate::WidestRowDelegate(QListView& view) : QStyledItemDelegate(&view), view_(view)
{
    const QAbstractItemModel* model = view.model();
    connect(model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { Measure(first, last); });
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                Measure(topLeft.row(), bottomRight.row());
            });
    // A row that goes may have been the widest.
    connect(model, &QAbstractItemModel::rowsRemoved, this, &WidestRowDelegate::MeasureAll);
    connect(model, &QAbstractItemModel::modelReset, this, &WidestRowDelegate::MeasureAll);
    view.installEventFilter(this);
    MeasureAll();
}

QSize WidestRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    // The row's own margins around the widest text.
    const int margins = size.width() - QFontMetrics(option.font).horizontalAdvance(index.data().toString());
    size.setWidth(std::max(size.width(), widest_ + margins));
    return size;
}

bool WidestRowDelegate::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        MeasureAll();
    return QStyledItemDelegate::eventFilter(watched, event);
}

void WidestRowDelegate::Measure(int first, int last)
{
    const QAbstractItemModel& model = *view_.model();
    const QFontMetrics metrics(view_.font());
    for (int row = first; row <= last; ++row)
        widest_ = std::max(widest_, metrics.horizontalAdvance(model.index(row, 0).data().toString()));
}

void WidestRowDelegate::MeasureAll()
{
    widest_ = 0;
    Measure(0, view_.model()->rowCount() - 1);
}

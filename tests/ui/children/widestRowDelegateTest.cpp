// A list's rows are as wide as its widest line, however the lines come:
// in batches, inserted before lines not measured yet, changed in place, or
// removed.
#include <QListView>
#include <QStringListModel>

#include "ui/children/widestRowDelegate.h"
#include "ui/widgetTest.h"

#include <algorithm>
#include <functional>

namespace {

class WidestRowDelegateTest : public testSupport::WidgetTest {};

// Inserts lines at row, filled in after the insertion, as the history does.
void Insert(QStringListModel& model, int row, const QStringList& lines)
{
    model.insertRows(row, int(lines.size()));
    for (int i = 0; i < lines.size(); ++i)
        model.setData(model.index(row + i), lines[i]);
}

TEST_F(WidestRowDelegateTest, RowsAreAsWideAsTheWidestLineAfterEveryChange)
{
    const QString wide = QString(90, u'W');
    const struct {
        const char* what;
        std::function<void(QStringListModel&)> change;
    } changes[] = {
        {"a batch at the end",
         [&](auto& m) {
             Insert(m, m.rowCount(), {QStringLiteral("a"), wide, QStringLiteral("b")});
         }},
        {"a batch, then one before it before a layout",
         [&](auto& m) {
             Insert(m, m.rowCount(), {QStringLiteral("a"), QStringLiteral("b")});
             Insert(m, 1, {wide});
         }},
        {"a line before lines not measured yet",
         [&](auto& m) {
             Insert(m, m.rowCount(), {wide});
             Insert(m, 0, {QStringLiteral("c"), QStringLiteral("d")});
         }},
        {"a short line changed into a wide one", [&](auto& m) { m.setData(m.index(1), wide); }},
        {"the wide line removed", [&](auto& m) { m.removeRows(m.stringList().indexOf(wide), 1); }},
        {"everything replaced",
         [&](auto& m) {
             m.setStringList({QStringLiteral("x"), wide + wide});
         }},
    };
    for (const auto& c : changes) {
        QStringListModel model({QStringLiteral("first"), QStringLiteral("second line")});
        QListView view;
        view.setUniformItemSizes(true);
        view.setModel(&model);
        auto* delegate = new WidestRowDelegate(view);
        view.setItemDelegate(delegate);
        QStyleOptionViewItem option;
        option.initFrom(&view);
        const auto widthOfRow = [&] {
            return delegate->sizeHint(option, model.index(0)).width()
                - delegate->QStyledItemDelegate::sizeHint(option, model.index(0)).width();
        };
        widthOfRow(); // measured whole once, as a shown list is
        c.change(model);
        int widest = 0;
        for (const QString& line : model.stringList())
            widest = std::max(widest, view.fontMetrics().horizontalAdvance(line));
        const int first = view.fontMetrics().horizontalAdvance(model.index(0).data().toString());
        EXPECT_EQ(widthOfRow(), widest - first) << c.what;
    }
}

} // namespace

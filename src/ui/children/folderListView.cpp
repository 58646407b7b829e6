#include "ui/children/folderListView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {

// Draws each entry indented by its depth, with an open folder for the open
// folder and its ancestors and a closed one for the subfolders.
class FolderItemDelegate : public QStyledItemDelegate {
public:
    explicit FolderItemDelegate(QObject* parent)
        : QStyledItemDelegate(parent), open_(QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon)),
          closed_(QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon))
    {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const bool open = index.data(folders::FolderListModel::OpenRole).toBool();
        const int indent = option->fontMetrics.horizontalAdvance(QLatin1Char('M'));
        option->rect.adjust(index.data(folders::FolderListModel::DepthRole).toInt() * indent, 0, 0, 0);
        option->icon = open ? open_ : closed_;
        option->features |= QStyleOptionViewItem::HasDecoration;
    }

private:
    // Loaded once: the style reads an icon from its files every time.
    QIcon open_;
    QIcon closed_;
};

} // namespace

FolderListView::FolderListView(folders::FolderListModel& folders, QWidget* parent)
    : QListView(parent), folders_(folders)
{
    setModel(&folders_);
    setItemDelegate(new FolderItemDelegate(this));
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        emit OpenRequested(index.data(folders::FolderListModel::PathRole).toString());
    });
    connect(&folders_, &QAbstractItemModel::modelReset, this, &FolderListView::HighlightOpenFolder);
}

int FolderListView::HighlightedIndex() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? folders_.ListIndexOf(current.row()) : -1;
}

void FolderListView::HighlightOpenFolder()
{
    const QModelIndex open = folders_.index(folders_.RowOf(-1));
    setCurrentIndex(open);
    scrollTo(open);
}

void FolderListView::keyPressEvent(QKeyEvent* event)
{
    int target = 0;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: target = HighlightedIndex(); break;
    case Qt::Key_Backspace: target = HighlightedIndex() - 1; break;
    default: QListView::keyPressEvent(event); return;
    }
    // A key whose entry does not exist (Backspace at the root) does nothing.
    const QString path = folders_.EntryAt(target);
    if (!path.isEmpty())
        emit OpenRequested(path);
}

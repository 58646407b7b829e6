#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace folders {

// The folder list of a folder window: the open folder with its ancestors
// above it and its subfolders below it, as a folder list control shows
// them. Entries are also reached by list index, the control's convention:
// the open folder is -1, its parent -2 and so on up to the root; the
// subfolders are 0, 1, 2, ... in name order. An entry's text is its full
// path.
class FolderListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        PathRole = Qt::UserRole + 1, // full path of the entry
        DepthRole,                   // 0 for the root, one more per level
        OpenRole,                    // true for the open folder and its ancestors
    };

    explicit FolderListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The open folder; empty before the first SetPath.
    const QString& Path() const { return path_; }
    // Opens folder (an absolute path to a folder that can be listed). False,
    // and nothing changed, when it cannot be opened. PathChanged follows a
    // change of the open folder.
    bool SetPath(const QString& folder);
    // Lists the subfolders of the open folder again.
    void Reread();

    // The full path of the entry at a list index; empty when there is none.
    QString EntryAt(int listIndex) const;
    int RowOf(int listIndex) const { return listIndex + static_cast<int>(ancestors_.size()); }
    int ListIndexOf(int row) const { return row - static_cast<int>(ancestors_.size()); }
    int SubfolderCount() const { return static_cast<int>(subfolders_.size()); }

signals:
    void PathChanged(const QString& path);

private:
    QString PathOfRow(int row) const;

    QString path_;
    QStringList ancestors_;  // full paths, the root first, the open folder last
    QStringList subfolders_; // names
};

} // namespace folders

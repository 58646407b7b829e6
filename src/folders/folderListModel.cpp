#include "folders/folderListModel.h"

#include <QDir>
#include <QFileInfo>

namespace folders {

namespace {

QStringList AncestorsOf(const QString& folder)
{
    QStringList chain;
    QString path = folder;
    while (true) {
        chain.prepend(path);
        const QString parent = QFileInfo(path).path();
        if (parent == path || path == QDir::rootPath())
            break;
        path = parent;
    }
    return chain;
}

QStringList SubfoldersOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

QString NameOf(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? path : name;
}

} // namespace

FolderListModel::FolderListModel(QObject* parent) : QAbstractListModel(parent) {}

int FolderListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(ancestors_.size() + subfolders_.size());
}

QString FolderListModel::PathOfRow(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    if (row < ancestors_.size())
        return ancestors_.at(row);
    const QString& name = subfolders_.at(row - ancestors_.size());
    return path_.endsWith(u'/') ? path_ + name : path_ + u'/' + name;
}

QVariant FolderListModel::data(const QModelIndex& index, int role) const
{
    const int row = index.row();
    if (!index.isValid() || row >= rowCount())
        return {};
    const bool open = row < ancestors_.size();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return open ? NameOf(ancestors_.at(row)) : subfolders_.at(row - ancestors_.size());
    case Qt::ToolTipRole:
    case PathRole: return PathOfRow(row);
    case DepthRole: return open ? row : static_cast<int>(ancestors_.size());
    case OpenRole: return open;
    default: return {};
    }
}

bool FolderListModel::SetPath(const QString& folder)
{
    if (!QDir::isAbsolutePath(folder))
        return false;
    const QString clean = QDir::cleanPath(folder);
    const QFileInfo info(clean);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable())
        return false;
    const bool changed = clean != path_;
    beginResetModel();
    path_ = clean;
    ancestors_ = AncestorsOf(clean);
    subfolders_ = SubfoldersOf(clean);
    endResetModel();
    if (changed)
        emit PathChanged(path_);
    return true;
}

void FolderListModel::Reread()
{
    if (path_.isEmpty())
        return;
    const QStringList now = SubfoldersOf(path_);
    if (now == subfolders_)
        return;
    beginResetModel();
    subfolders_ = now;
    endResetModel();
}

QString FolderListModel::EntryAt(int listIndex) const
{
    return PathOfRow(RowOf(listIndex));
}

} // namespace folders

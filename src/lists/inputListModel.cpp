#include "lists/inputListModel.h"

#include "util/paths.h"

#include <QDir>

namespace {

QString Joined(const QString& folder, const QString& name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

} // namespace

InputListModel::InputListModel(QObject* parent) : QObject(parent), selection_(&model_) {}

QStringList InputListModel::MatchingFiles(const QString& folder, const QString& pattern)
{
    QDir dir(folder);
    dir.setNameFilters(pattern.split(u';', Qt::SkipEmptyParts));
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}

void InputListModel::SetPattern(const QString& pattern)
{
    pattern_ = pattern;
    Reread();
}

bool InputListModel::SetFolder(const QString& folder)
{
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.isAbsolute() || !dir.exists() || !dir.isReadable())
        return false;
    folder_ = QDir::cleanPath(folder);
    Reread();
    return true;
}

void InputListModel::Reread()
{
    const QStringList names = folder_.isEmpty() ? QStringList() : MatchingFiles(folder_, pattern_);
    if (names != model_.stringList())
        model_.setStringList(names);
    selection_.clearSelection();
}

void InputListModel::AddListed(bool selectedOnly, const AddToWorkList& add)
{
    for (int row = 0; row < model_.rowCount(); ++row) {
        const QModelIndex index = model_.index(row);
        if (selectedOnly && !selection_.isSelected(index))
            continue;
        const QString full = paths::GetLongPath(Joined(folder_, index.data().toString()));
        if (!full.isEmpty() && !add(full))
            return;
        selection_.select(index, QItemSelectionModel::Deselect);
    }
}

void InputListModel::AddSelected(const AddToWorkList& add)
{
    AddListed(true, add);
}

void InputListModel::AddAll(const AddToWorkList& add)
{
    AddListed(false, add);
}

void InputListModel::AddWithSubfolders(const AddToWorkList& add)
{
    if (folder_.isEmpty())
        return;
    QStringList folders{folder_};
    for (const QString& name :
         QDir(folder_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        folders.append(Joined(folder_, name));
    for (const QString& folder : folders) {
        for (const QString& name : MatchingFiles(folder, pattern_)) {
            const QString full = paths::GetLongPath(Joined(folder, name));
            if (!full.isEmpty() && !add(full)) {
                selection_.clearSelection();
                return;
            }
        }
    }
    selection_.clearSelection();
}

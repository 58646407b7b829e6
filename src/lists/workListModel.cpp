#include "lists/workListModel.h"

#include "core/archiveTypes.h"
#include "platform/dialogs.h"
#include "platform/services.h"
#include "util/paths.h"
#include "util/programMessages.h"

#include <QFileInfo>

WorkListModel::WorkListModel(std::function<bool(const QString&)> typeCheck, QObject* parent)
    : QObject(parent), selection_(&model_), typeCheck_(std::move(typeCheck))
{
    if (!typeCheck_)
        typeCheck_ = [](const QString& path) { return ArchiveTypes::Current().AcceptsType(path); };
}

bool WorkListModel::Add(const QString& path)
{
    if (model_.Contains(path))
        return true;
    const int count = Count();
    if (count >= MaxEntries) {
        platform::services().dialogs->MessageBox(messages::Text(messages::ProgramMessage::WorkListFull),
                                                 platform::MessageButtons::Ok);
        return false;
    }
    model_.Append(path);
    return true;
}

run::Admission WorkListModel::Admit(const QString& path)
{
    using run::Admission;
    if (path.isEmpty())
        return Admission::Missing;
    // GetLongPath has already found the name; the type is told by the name
    // alone, so only an archive of an enabled type is opened to see that it
    // is a readable file. Why a name is passed over is asked of the file
    // system only then.
    const QString longPath = paths::GetLongPath(path);
    if (longPath.isEmpty())
        return Admission::Missing;
    if (!typeCheck_(longPath))
        return QFileInfo(longPath).isFile() ? Admission::TypeNotEnabled : Admission::NotAFile;
    if (!paths::FileExists(longPath))
        return QFileInfo(longPath).isFile() ? Admission::Unreadable : Admission::NotAFile;
    return Add(longPath) ? Admission::Taken : Admission::ListFull;
}

int WorkListModel::Count() const
{
    return model_.rowCount();
}

QString WorkListModel::Entry(int index) const
{
    return model_.index(index).data().toString();
}

void WorkListModel::Clear()
{
    model_.setStringList({});
}

void WorkListModel::SelectAll()
{
    selection_.SelectAll();
}

void WorkListModel::ClearSelection()
{
    selection_.clearSelection();
}

bool WorkListModel::IsSelected(int index) const
{
    return selection_.isSelected(model_.index(index));
}

void WorkListModel::Deselect(int index)
{
    selection_.select(model_.index(index), QItemSelectionModel::Deselect);
}

void WorkListModel::DeselectEach(const QList<int>& indices)
{
    // Neighbouring entries make one range: the view repaints, and a screen
    // reader hears, once for them all.
    QItemSelection deselected;
    for (qsizetype i = 0; i < indices.size();) {
        qsizetype last = i;
        while (last + 1 < indices.size() && indices[last + 1] == indices[last] + 1)
            ++last;
        deselected.select(model_.index(indices[i]), model_.index(indices[last]));
        i = last + 1;
    }
    selection_.select(deselected, QItemSelectionModel::Deselect);
}

void WorkListModel::RemoveWhere(const std::function<bool(int row)>& removed)
{
    // Each run of neighbouring rows goes in one removal, from the end so the
    // rows still to look at keep their numbers: a run that converted the
    // whole list removes it at once, not row by row, and the views and a
    // screen reader hear of it once.
    int end = Count();
    while (end > 0) {
        if (!removed(end - 1)) {
            --end;
            continue;
        }
        int first = end - 1;
        while (first > 0 && removed(first - 1))
            --first;
        model_.removeRows(first, end - first);
        end = first;
    }
}

void WorkListModel::RemoveUnselected()
{
    RemoveWhere([this](int row) { return !IsSelected(row); });
}

void WorkListModel::RemoveSelected()
{
    RemoveWhere([this](int row) { return IsSelected(row); });
}

void WorkListModel::RemoveRefusedTypes()
{
    RemoveWhere([this](int row) { return !typeCheck_(Entry(row)); });
}

QString WorkListModel::FirstSelected() const
{
    for (int i = 0; i < Count(); ++i) {
        if (IsSelected(i))
            return Entry(i);
    }
    return {};
}

void WorkListModel::ScrollToTop(int index)
{
    emit TopIndexRequested(index);
}

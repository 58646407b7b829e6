#include "lists/outputListModel.h"

#include "util/paths.h"

OutputListModel::OutputListModel(QObject* parent) : QObject(parent), selection_(&model_) {}

void OutputListModel::Add(const QString& path)
{
    if (model_.rowCount() >= MaxEntries || model_.Contains(path))
        return;
    model_.Append(path);
}

void OutputListModel::Refresh()
{
    int i = 0;
    while (i < model_.rowCount()) {
        const QString longPath = paths::GetLongPath(model_.index(i).data().toString());
        if (!longPath.isEmpty() && paths::FileExists(longPath)) {
            model_.setData(model_.index(i), longPath);
            ++i;
        } else {
            model_.removeRows(i, 1);
        }
    }
}

void OutputListModel::Clear()
{
    model_.setStringList({});
}

QStringList OutputListModel::SelectedPaths() const
{
    QStringList paths;
    for (int i = 0; i < model_.rowCount(); ++i) {
        if (selection_.isSelected(model_.index(i)))
            paths << model_.index(i).data().toString();
    }
    return paths;
}

#pragma once

#include "lists/listSelection.h"

#include <QObject>
#include <QStringListModel>

#include <functional>

// The input archive list without its window: the names of the files in one
// folder that match the file pattern, in name order, and the selection the
// add commands take. A list view shows Model() with SelectionModel().
class InputListModel : public QObject {
    Q_OBJECT
public:
    // Takes one archive path into the work list; false when the list is full.
    using AddToWorkList = std::function<bool(const QString& path)>;

    explicit InputListModel(QObject* parent = nullptr);

    QStringListModel& Model() { return model_; }
    ListSelection& SelectionModel() { return selection_; }
    QStringList Names() const { return model_.stringList(); }
    const QString& Folder() const { return folder_; }
    const QString& Pattern() const { return pattern_; }

    // Patterns separated by ";" ("*.LZH;*.CAB"), matched without regard to
    // letter case; the list is read again.
    void SetPattern(const QString& pattern);
    // Lists folder; false, and nothing changed, when it cannot be listed.
    bool SetFolder(const QString& folder);
    // Reads the folder again and clears the selection.
    void Reread();

    // The add commands: the selected names, or all of them, go to the work
    // list in list order as full long paths; each one taken is deselected.
    // A full list stops the command and leaves the rest as it is.
    void AddSelected(const AddToWorkList& add);
    void AddAll(const AddToWorkList& add);
    // The folder's archives, then those of each immediate subfolder in name
    // order; deeper folders are not visited. Clears the selection.
    void AddWithSubfolders(const AddToWorkList& add);

    // The names in folder that match pattern, in name order.
    static QStringList MatchingFiles(const QString& folder, const QString& pattern);

private:
    void AddListed(bool selectedOnly, const AddToWorkList& add);

    QStringListModel model_;
    ListSelection selection_;
    QString folder_;
    QString pattern_;
};

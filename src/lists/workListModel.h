#pragma once

#include "run/runLists.h"
#include "lists/distinctListModel.h"
#include "lists/listSelection.h"

#include <QObject>
#include <QStringListModel>

#include <functional>

// The work list without its window: the ordered, duplicate-free
// archive paths of the next run, at most MaxEntries, and the selection that
// a run uses as its mark of pending entries. A list view shows Model() with
// SelectionModel().
class WorkListModel : public QObject, public run::IWorkList {
    Q_OBJECT
public:
    static constexpr int MaxEntries = run::kWorkListLimit;

    // typeCheck decides which archive types outside additions may bring
    // (the input list's AcceptsType); by default the current options decide.
    explicit WorkListModel(std::function<bool(const QString&)> typeCheck = {}, QObject* parent = nullptr);

    QStringListModel& Model() { return model_; }
    ListSelection& SelectionModel() { return selection_; }
    QStringList Entries() const { return model_.stringList(); }

    // Adds one long path; a path already listed is accepted silently; false
    // (after the limit message) when the list is full.
    bool Add(const QString& path);
    run::Admission Admit(const QString& path) override;

    int Count() const override;
    QString Entry(int index) const override;
    void Clear() override;
    void SelectAll() override;
    void ClearSelection() override;
    bool IsSelected(int index) const override;
    void Deselect(int index) override;
    void DeselectEach(const QList<int>& indices) override;
    void RemoveUnselected() override;
    void ScrollToTop(int index) override;

    // Removes the selected entries.
    void RemoveSelected();
    // Removes the entries whose archive type the type check no longer
    // accepts (after the type options changed); the others stay in order.
    void RemoveRefusedTypes();
    // The selected entry with the lowest index, or empty.
    QString FirstSelected() const;

signals:
    // A run has reached entry index; the view brings it to the top.
    void TopIndexRequested(int index);

private:
    // Removes the entries at the rows `removed` says yes to.
    void RemoveWhere(const std::function<bool(int row)>& removed);

    DistinctListModel model_;
    ListSelection selection_;
    std::function<bool(const QString&)> typeCheck_;
};

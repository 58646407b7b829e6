#pragma once

#include "run/runLists.h"

#include <QObject>
#include <QStringListModel>

// The execution history without its window: the lines of the
// latest run, one selected line that follows the newest addition, and the
// log copy and save. A list view shows Model(); the window's view keeps a
// selection of its own that follows SelectedIndex().
class HistoryModel : public QObject, public run::IHistory {
    Q_OBJECT
public:
    // The largest selection index at which an addition still simply appends.
    static constexpr int Cap = 30000;

    explicit HistoryModel(QObject* parent = nullptr);

    QStringListModel& Model() { return model_; }
    QStringList Lines() const { return model_.stringList(); }
    int Count() const { return model_.rowCount(); }

    // The selected line, -1 when none.
    int SelectedIndex() const { return selected_; }
    // Selects the line at index; none when no line is there.
    void SetSelectedIndex(int index);

    void Add(const QString& line) override;
    void AddLines(const QStringList& lines) override;
    void Clear() override;
    void CopyToClipboard() override;

    // The whole history as text: every line followed by CR LF.
    QString LogText() const;
    // The Log Save command: asks for a .LOG file name (the dialog asks
    // nothing about replacing a file) and saves there; cancelling does
    // nothing.
    void AskAndSaveLog();
    // Writes the history to a file (asking before it replaces one); a failed
    // save leaves an existing file as it was (paths::WriteFileReplacing).
    void SaveLog(const QString& path);

signals:
    // Emitted for every line added, after it is in the list.
    void LineAdded(const QString& line);

private:
    QStringListModel model_;
    int selected_ = -1;
};

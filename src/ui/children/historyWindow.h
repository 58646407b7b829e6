#pragma once

#include "lists/historyModel.h"
#include "ui/children/fullListWindow.h"

#include <QTimer>

class QListView;

// The execution history window: the lines of the latest run, the newest
// one selected and scrolled into view, and a popup that empties it.
class HistoryWindow : public FullListWindow {
    Q_OBJECT
public:
    explicit HistoryWindow(QWidget* parent = nullptr);

    HistoryModel& History() { return history_; }

    void BeforePaint() override;

private:
    // Selects and shows the history's selected line in the view.
    void ShowSelectedLine();

    HistoryModel history_;
    QListView* list_;
    QTimer showLine_;
    bool showing_ = false; // the view's selection is being set from the history's
};

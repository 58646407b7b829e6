#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QProgressBar;
class QPushButton;

// The strip at the top of the desk: one Execute button per self-extractor
// kind (DOS, Win16, Win32, in the order of their kinds), the progress of a
// run ("n / N" and a bar) and the Cancel button at the right edge.
class RunPanel : public QWidget {
    Q_OBJECT
public:
    explicit RunPanel(QWidget* parent = nullptr);

    QPushButton* ExecuteButton(int kind) const { return execute_.at(kind); }
    QPushButton* CancelButton() const { return cancel_; }
    QList<QWidget*> FontTargets() const;

    void SetExecuteEnabled(bool enabled);
    // The Cancel button keeps a 60-twip gap to the right edge; a panel too
    // narrow for that leaves it where it is.
    void PlaceCancelButton(int dotsPerInch);

    // Shows that entry done of total is under way; hidden while idle.
    void ShowProgress(int done, int total);
    void HideProgress();

    // Places the buttons for the current font and width.
    void Relayout();

signals:
    void ExecuteClicked(int kind);
    void CancelClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceProgress();

    std::array<QPushButton*, 3> execute_{};
    QPushButton* cancel_;
    QLabel* progressText_;
    QProgressBar* progressBar_;
};

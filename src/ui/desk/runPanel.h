#pragma once

#include "common/sfxKind.h"
#include "ui/presentation/presentable.h"

#include <QWidget>

#include <array>

class QLabel;
class QProgressBar;
class QPushButton;
class QShortcut;

// The strip at the top of the desk: one Execute button per self-extractor
// kind (DOS, Win16, Win32, in the order of their kinds), the progress of a
// run ("n / N" and a bar) and the Cancel button at the right edge.
// Ctrl+1, Ctrl+2 and Ctrl+3 press the Execute buttons, Escape the Cancel
// button, each only while its button is on; Tab and Shift+Tab go round the
// buttons that are on.
class RunPanel : public QWidget, public Presentable {
    Q_OBJECT
public:
    explicit RunPanel(QWidget* parent = nullptr);

    void SetExecuteEnabled(bool enabled);
    void SetCancelEnabled(bool enabled);
    // Puts the keyboard on the first button that is on; false when none is.
    bool TakeKeyboard();
    // The Cancel button keeps a 60-twip gap to the right edge; a panel too
    // narrow for that leaves it where it is.
    void PlaceCancelButton(int dotsPerInch);

    // Shows that entry done of total is under way; hidden while idle.
    void ShowProgress(int done, int total);
    void HideProgress();

    // The buttons and the progress text take the font; the bar keeps the
    // desktop's. Then the panel is laid out again.
    void ApplyFont() override;

signals:
    void ExecuteClicked(tbarc::SfxKind kind);
    void CancelClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Places the buttons for the current font and width.
    void Relayout();
    void PlaceProgress();
    void AddKeys();
    // The buttons that are on, left to right.
    QList<QPushButton*> ButtonsOn() const;

    std::array<QPushButton*, 3> execute_{};
    QPushButton* cancel_;
    QShortcut* cancelKey_;
    QLabel* progressText_;
    QProgressBar* progressBar_;
};

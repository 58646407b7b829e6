#pragma once

#include <QMainWindow>

class QMdiArea;

// The main window: the desk, an MDI area with its title and place. It is
// created once the windowless start (the "/U" switch, the options, the
// library check and the automatic run) has decided that the desk opens;
// closing it stores the settings.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Titles the desk and puts it where it was closed last. False when the
    // stored place cannot be used; the user has been told and the process
    // ends.
    bool PrepareDesk();

    QMdiArea* childArea() const { return childArea_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void StoreSettings();
    bool RestoreGeometry();

    QMdiArea* childArea_;
};

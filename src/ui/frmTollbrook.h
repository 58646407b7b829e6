#pragma once

#include <QMainWindow>
#include <QStringList>

class QMdiArea;

// The main window: the desk that holds the child windows. Its load step
// decides whether the process shows it at all; closing it stores the
// settings.
class frmTollbrook : public QMainWindow {
    Q_OBJECT

public:
    enum class LoadResult {
        ShowDesk,    // the window is ready to be shown
        EndProcess,  // the work is done without a window (exit status 0)
        Failed,      // the load step failed and has told the user
    };

    // arguments: the program's arguments without its own name.
    explicit frmTollbrook(QStringList arguments, QWidget* parent = nullptr);

    LoadResult MDIForm_Load();

    QMdiArea* mdiArea() const { return mdiTollbrook_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void MDIForm_QueryUnload();
    bool RestoreGeometry();

    QStringList arguments_;
    QMdiArea* mdiTollbrook_;
};

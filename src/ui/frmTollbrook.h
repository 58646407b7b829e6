#pragma once

#include <QMainWindow>
#include <QString>

class QMdiArea;

// The main window: the desk that holds the child windows. It is created once
// the windowless start (the "/U" switch, the options, the library check and
// the automatic run) has decided that the desk opens; closing it stores the
// settings.
class frmTollbrook : public QMainWindow {
    Q_OBJECT

public:
    // commandLineText: the archives of the command line, for the work list.
    explicit frmTollbrook(QString commandLineText, QWidget* parent = nullptr);

    // The window's part of the load step: caption and place. False when it
    // failed; the user has been told and the process ends.
    bool MDIForm_Load();

    QMdiArea* mdiArea() const { return mdiTollbrook_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void MDIForm_QueryUnload();
    bool RestoreGeometry();

    QString commandLineText_;  // goes into the work list once the child windows exist
    QMdiArea* mdiTollbrook_;
};

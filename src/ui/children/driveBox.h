#pragma once

#include "platform/drives.h"

#include <QComboBox>
#include <QElapsedTimer>

// The drive list of a folder window: the mounted file systems by root path
// and label. Enter moves the keyboard on to the folder list.
class DriveBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveBox(QWidget* parent = nullptr);

    // Reads the mounted drives again, keeping the drive of path selected. A
    // list read less than a second ago is taken as it is: the mounts change
    // rarely, and a run refreshes the folder windows often.
    void Reread(const QString& path);
    // Selects the drive that holds path (the longest root that contains it),
    // without telling anyone.
    void SelectDriveOf(const QString& path);
    // The root path of the selected drive, or empty.
    QString SelectedRoot() const;

signals:
    // The user picked another drive than the one shown; its root.
    void DrivePicked(const QString& rootPath);
    void EnterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QList<platform::Drive> drives_;
    QElapsedTimer sinceRead_;
    // The drive of the folder shown, as SelectDriveOf last chose it.
    int shownIndex_ = -1;
};

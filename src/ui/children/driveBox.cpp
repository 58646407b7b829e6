#include "ui/children/driveBox.h"

#include "platform/services.h"

#include <QKeyEvent>
#include <QSignalBlocker>

namespace {

bool Holds(const QString& rootPath, const QString& path)
{
    if (rootPath == QLatin1String("/"))
        return path.startsWith(u'/');
    return path == rootPath || path.startsWith(rootPath + u'/');
}

QString Caption(const platform::Drive& drive)
{
    return drive.label.isEmpty() ? drive.rootPath
                                 : drive.rootPath + QStringLiteral("  [") + drive.label + u']';
}

} // namespace

DriveBox::DriveBox(QWidget* parent) : QComboBox(parent)
{
    // The box reports every choice, the unchanged one as well; only another
    // drive than the one shown opens a root, so re-picking keeps the folder.
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < drives_.size() && index != shownIndex_)
            emit DrivePicked(drives_.at(index).rootPath);
    });
}

void DriveBox::Reread(const QString& path)
{
    constexpr qint64 kStillFreshMilliseconds = 1000;
    if (sinceRead_.isValid() && sinceRead_.elapsed() < kStillFreshMilliseconds) {
        SelectDriveOf(path);
        return;
    }
    sinceRead_.start();
    const QList<platform::Drive> drives = platform::services().drives->MountedDrives();
    if (drives != drives_) {
        const QSignalBlocker quiet(this);
        drives_ = drives;
        clear();
        for (const platform::Drive& drive : drives_)
            addItem(Caption(drive), drive.rootPath);
    }
    SelectDriveOf(path);
}

void DriveBox::SelectDriveOf(const QString& path)
{
    int best = -1;
    for (int i = 0; i < drives_.size(); ++i) {
        if (Holds(drives_.at(i).rootPath, path)
            && (best < 0 || drives_.at(i).rootPath.size() > drives_.at(best).rootPath.size()))
            best = i;
    }
    const QSignalBlocker quiet(this);
    shownIndex_ = best;
    setCurrentIndex(best);
}

QString DriveBox::SelectedRoot() const
{
    const int index = currentIndex();
    return index >= 0 && index < drives_.size() ? drives_.at(index).rootPath : QString();
}

void DriveBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit EnterPressed();
        return;
    }
    QComboBox::keyPressEvent(event);
}

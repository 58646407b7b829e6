#pragma once

#include <QList>
#include <QObject>

class QMdiArea;
class QMdiSubWindow;

// Keeps the child area wide enough that the child windows, tiled two
// across, show their whole captions: the area's minimum width follows the
// captions (the output folder's free space changes) and the font.
class CaptionRoom : public QObject {
    Q_OBJECT
public:
    CaptionRoom(QMdiArea& area, const QList<QMdiSubWindow*>& windows);

    // The width a child window needs for its whole caption and its title
    // bar's buttons.
    static int NeededWidth(const QMdiSubWindow& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Update();

    QMdiArea& area_;
    QList<QMdiSubWindow*> windows_;
};

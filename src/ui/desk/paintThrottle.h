#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QWidget;

// Lets a window paint at most once every other frame of its screen while it
// is on. A run finishes small files faster than a screen shows them;
// painting the desk after every file would cost more than the conversions.
// What shows is the same, two frames later at most.
class PaintThrottle : public QObject {
    Q_OBJECT
public:
    explicit PaintThrottle(QWidget& window);

    // On: paints come at the frame rate; off: at once again, starting with
    // one for whatever was held back.
    void SetOn(bool on);

signals:
    // The window is about to paint what waits.
    void AboutToPaint();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PaintNow();

    QWidget& window_;
    QElapsedTimer sincePaint_;
    QTimer held_;
    bool on_ = false;
};

#pragma once

#include <QObject>

// The presentation changes every window and dialog of the desk follows: the
// font command announces a new font, the options dialog's OK the tooltip
// option. Each window subscribes itself when it is made (Presentable), so
// the commands need not know who shows anything.
class PresentationChanges : public QObject {
    Q_OBJECT

public:
    // The changes of this process.
    static PresentationChanges& Current();

    void AnnounceFont() { emit FontChanged(); }
    void AnnounceTooltips(bool show) { emit TooltipsChanged(show); }

signals:
    void FontChanged();
    void TooltipsChanged(bool show);
};

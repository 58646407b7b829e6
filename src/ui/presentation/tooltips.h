#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace presentation {

// One control and its catalogue tooltip.
struct Tooltip {
    QWidget* control;
    QString text;
};

// Every listed control gets its text when show is true, the empty text
// otherwise. Screen readers read the tooltip as the control's description.
void ApplyTooltips(const QList<Tooltip>& tooltips, bool show);

} // namespace presentation

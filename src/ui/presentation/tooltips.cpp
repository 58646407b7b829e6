#include "ui/presentation/tooltips.h"

#include <QWidget>

namespace presentation {

void ApplyTooltips(const QList<Tooltip>& tooltips, bool show)
{
    for (const Tooltip& tooltip : tooltips) {
        if (tooltip.control)
            tooltip.control->setToolTip(show ? tooltip.text : QString());
    }
}

} // namespace presentation

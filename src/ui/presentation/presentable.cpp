#include "ui/presentation/presentable.h"

#include "ui/presentation/fonts.h"
#include "ui/presentation/presentationChanges.h"

#include <QWidget>

#include <algorithm>

Presentable::Presentable(QWidget& window) : window_(window)
{
    // The window is the connections' context: they end when it does.
    PresentationChanges& changes = PresentationChanges::Current();
    QObject::connect(&changes, &PresentationChanges::FontChanged, &window, [this] { ApplyFont(); });
    QObject::connect(&changes, &PresentationChanges::TooltipsChanged, &window,
                     [this](bool show) { ApplyTooltips(show); });
}

void Presentable::ApplyFont()
{
    window_.setFont(presentation::OptionsFont());
}

void Presentable::ApplyTooltips(bool show)
{
    tooltipsShown_ = show;
    presentation::ApplyTooltips(described_, show);
}

void Presentable::Describe(QWidget* control, const QString& message)
{
    control->setAccessibleName(message);
    Tip(control, message);
}

void Presentable::Tip(QWidget* control, const QString& message)
{
    const auto known =
        std::find_if(described_.begin(), described_.end(),
                     [control](const presentation::Tooltip& tip) { return tip.control == control; });
    if (known != described_.end())
        known->text = message;
    else
        described_.append({control, message});
    control->setToolTip(tooltipsShown_ ? message : QString());
}

#include "ui/presentation/fonts.h"

#include "core/options.h"

#include <QWidget>

namespace presentation {

QFont OptionsFont()
{
    const options::Options& current = options::Current();
    QFont font(current.fontName);
    if (current.fontSize > 0)
        font.setPointSize(current.fontSize);
    font.setBold(current.fontBold);
    font.setItalic(current.fontItalic);
    return font;
}

void ApplyFont(const QList<QWidget*>& targets)
{
    const QFont font = OptionsFont();
    for (QWidget* target : targets) {
        if (target)
            target->setFont(font);
    }
}

} // namespace presentation

#include "ui/presentation/presentation.h"

#include "core/options.h"
#include "util/paths.h"

#include <QDir>
#include <QFile>
#include <QWidget>

#include <fontconfig/fontconfig.h>

#include <cmath>
#include <limits>

namespace presentation {

namespace {

constexpr double kTwipsPerInch = 1440;

} // namespace

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

void ApplyTooltips(const QList<Tooltip>& tooltips, bool show)
{
    for (const Tooltip& tooltip : tooltips) {
        if (tooltip.control)
            tooltip.control->setToolTip(show ? tooltip.text : QString());
    }
}

bool LoadFontAliases(const QString& rulesFile)
{
    if (!QFile::exists(rulesFile) || !FcInit())
        return false;
    const QByteArray name = QFile::encodeName(rulesFile);
    return FcConfigParseAndLoad(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(name.constData()),
                                FcTrue)
        == FcTrue;
}

QString InstalledFontRules()
{
    const QString systemFolder = paths::GetSystemDir();
    if (systemFolder.isEmpty())
        return {};
    return QDir::cleanPath(systemFolder + QStringLiteral("/../../share/tollbrook2/fontconfig.conf"));
}

int ToPixels(double twips, int dotsPerInch)
{
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

float ToTwips(int pixels, int dotsPerInch)
{
    return static_cast<float>(pixels * kTwipsPerInch / dotsPerInch);
}

std::optional<short> ToLayoutInteger(double value)
{
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<short>::min()
        || rounded > std::numeric_limits<short>::max())
        return std::nullopt;
    return static_cast<short>(rounded);
}

} // namespace presentation

#include <QFontInfo>
#include <QLabel>
#include <QPushButton>

#include "ui/presentation/fonts.h"
#include "ui/presentation/tooltips.h"
#include "platform/fontAliases.h"
#include "ui/widgetTest.h"

namespace {

using PresentationTest = testSupport::WidgetTest;

TEST_F(PresentationTest, DefaultFontShowsInAnInstalledMinchoFace)
{
    // The fixture has loaded the aliases; loading them again is harmless.
    ASSERT_TRUE(platform::LoadFontAliases(QStringLiteral(TB_BINARY_DIR "/share/tollbrook2/fontconfig.conf")));
    const QFont font = presentation::OptionsFont();
    EXPECT_EQ(font.family(), QStringLiteral("ＭＳ 明朝")) << "the option keeps its stored name";
    EXPECT_EQ(font.pointSize(), 10);
    const QString shown = QFontInfo(font).family();
    EXPECT_TRUE(shown.contains(QStringLiteral("Mincho")) || shown.contains(QStringLiteral("明朝"))
                || shown.contains(QStringLiteral("Serif CJK")))
        << shown.toStdString();
}

TEST_F(PresentationTest, FontOptionsReachEveryTarget)
{
    options::Current().fontName = QStringLiteral("DejaVu Sans");
    options::Current().fontSize = 14;
    options::Current().fontBold = true;
    options::Current().fontItalic = true;
    QLabel label;
    QPushButton button;
    presentation::ApplyFont({&label, &button});
    for (QWidget* target : {static_cast<QWidget*>(&label), static_cast<QWidget*>(&button)}) {
        EXPECT_EQ(target->font().family(), QStringLiteral("DejaVu Sans"));
        EXPECT_EQ(target->font().pointSize(), 14);
        EXPECT_TRUE(target->font().bold());
        EXPECT_TRUE(target->font().italic());
    }
}

TEST_F(PresentationTest, TooltipsOffEmptiesEveryText)
{
    QPushButton a, b;
    presentation::ApplyTooltips({{&a, QStringLiteral("first")}, {&b, QStringLiteral("second")}}, true);
    EXPECT_EQ(b.toolTip(), QStringLiteral("second"));
    presentation::ApplyTooltips({{&a, QStringLiteral("first")}, {&b, QStringLiteral("second")}}, false);
    EXPECT_TRUE(a.toolTip().isEmpty());
    EXPECT_TRUE(b.toolTip().isEmpty());
}

} // namespace

#include "ui/commands/fontCommand.h"

#include "support/fakeServices.h"
#include "support/printQString.h"
#include "ui/presentation/fonts.h"
#include "ui/widgetTest.h"

#include <QFontInfo>

#include <gtest/gtest.h>

namespace {

using platform::FontChoice;

options::Options Holding(const char* name, short size, bool bold, bool italic)
{
    options::Options options;
    options.fontName = QString::fromUtf8(name);
    options.fontSize = size;
    options.fontBold = bold;
    options.fontItalic = italic;
    return options;
}

TEST(FontCommandTest, AnyDifferenceStoresAllFourWithTheSizeRoundedHalfToEven)
{
    const struct {
        FontChoice chosen;
        bool changed;
        short storedSize;
    } cases[] = {
        {{QString::fromUtf8("ＭＳ 明朝"), 10, false, false}, false, 10}, // the same font
        {{QString::fromUtf8("ＭＳ 明朝"), 10.5f, false, false}, true, 10},
        {{QString::fromUtf8("ＭＳ 明朝"), 11.5f, false, false}, true, 12},
        {{QString::fromUtf8("ＭＳ 明朝"), 9.5f, false, false}, true, 10},
        {{QString::fromUtf8("ＭＳ 明朝"), 10.4f, false, false}, true, 10},
        {{QString::fromUtf8("ＭＳ 明朝"), 12.6f, false, false}, true, 13},
        {{QString::fromUtf8("ＭＳ 明朝"), 10, true, false}, true, 10},
        {{QString::fromUtf8("ＭＳ 明朝"), 10, false, true}, true, 10},
        {{QString::fromUtf8("ｍｓ 明朝"), 10, false, false}, true, 10}, // names compare exactly
        {{QStringLiteral("IPAMincho"), 14, true, true}, true, 14},
    };
    for (const auto& c : cases) {
        options::Options options = Holding("ＭＳ 明朝", 10, false, false);
        const options::Options before = options;
        EXPECT_EQ(fontCommand::TakeFont(c.chosen, options), c.changed)
            << c.chosen.name.toStdString() << ' ' << c.chosen.size;
        EXPECT_EQ(options.fontSize, c.storedSize) << c.chosen.size;
        EXPECT_EQ(options.fontName, c.changed ? c.chosen.name : before.fontName);
        EXPECT_EQ(options.fontBold, c.chosen.bold);
        EXPECT_EQ(options.fontItalic, c.chosen.italic);
    }
}

using FontChooserTest = testSupport::WidgetTest;

TEST_F(FontChooserTest, OpensOnTheFaceTheStoredNameResolvesToAndOkUnchangedKeepsTheName)
{
    const struct {
        const char* storedName;
        short size;
        bool bold;
    } cases[] = {{"ＭＳ 明朝", 10, false}, {"IPAMincho", 12, true}};
    for (const auto& c : cases) {
        options::Current() = Holding(c.storedName, c.size, c.bold, false);
        const QString face = QFontInfo(presentation::OptionsFont()).family();
        dialogs.asked.clear();

        EXPECT_FALSE(fontCommand::ChooseFont()) << "the fake returns the initial font, as a cancel does";
        ASSERT_EQ(dialogs.asked.size(), 1);
        EXPECT_EQ(dialogs.asked.first().kind, platform::FakeDialogs::Kind::Font);
        EXPECT_EQ(dialogs.asked.first().text, face) << c.storedName;
        EXPECT_EQ(dialogs.asked.first().detail, QString::number(c.size));

        dialogs.fontAnswers.enqueue(FontChoice{face, static_cast<float>(c.size), c.bold, false});
        EXPECT_FALSE(fontCommand::ChooseFont()) << "OK on the face shown";
        EXPECT_EQ(options::Current().fontName, QString::fromUtf8(c.storedName));
    }
    EXPECT_NE(QFontInfo(QFont(QString::fromUtf8("ＭＳ 明朝"))).family(), QString::fromUtf8("ＭＳ 明朝"))
        << "the default name is an alias";

    dialogs.fontAnswers.enqueue(FontChoice{QStringLiteral("IPAGothic"), 10.5f, false, true});
    EXPECT_TRUE(fontCommand::ChooseFont());
    EXPECT_EQ(options::Current().fontName, QStringLiteral("IPAGothic"));
    EXPECT_EQ(options::Current().fontSize, 10);
    EXPECT_FALSE(options::Current().fontBold);
    EXPECT_TRUE(options::Current().fontItalic);
}

} // namespace

#include "ui/commands/newFolderCommand.h"

#include "support/fakeServices.h"
#include "support/printQString.h"
#include "support/tempFolder.h"
#include "util/sharedMessages.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

using messages::SharedMessage;

class NewFolderCommandTest : public testing::Test {
protected:
    QString Parent() const { return QString::fromStdString(root.Path()); }
    QStringList Made() const
    {
        return QDir(Parent()).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    QString Run(const QString& typed)
    {
        dialogs.inputAnswers.enqueue(typed);
        return AskAndMakeFolder(Parent());
    }

    testSupport::TempFolder root;
    testSupport::FakeServices services;
    platform::FakeDialogs& dialogs = services.dialogs;
};

TEST_F(NewFolderCommandTest, AsksWithThePromptTitleAndParentAndMakesTheTrimmedName)
{
    EXPECT_EQ(Run(QStringLiteral(" NEW ")), Parent() + QStringLiteral("/NEW"));
    EXPECT_EQ(Made(), QStringList{"NEW"});
    ASSERT_EQ(dialogs.asked.size(), 1);
    const platform::FakeDialogs::Question& question = dialogs.asked.first();
    EXPECT_EQ(question.kind, platform::FakeDialogs::Kind::Input);
    EXPECT_EQ(question.text, QString::fromUtf8("作成するフォルダ名を入力してください\n") + Parent());
    EXPECT_EQ(question.title, QString::fromUtf8("フォルダ名入力"));
    EXPECT_EQ(question.detail, QString()) << "the field starts empty";
}

TEST_F(NewFolderCommandTest, CancelOrSpacesMakeNothingAndSayNothing)
{
    for (const QString& typed : {QString(), QStringLiteral("   ")}) {
        EXPECT_EQ(Run(typed), QString());
        EXPECT_TRUE(dialogs.messages().isEmpty());
    }
    EXPECT_TRUE(Made().isEmpty());
}

TEST_F(NewFolderCommandTest, EachFailureShowsItsMessageAndMakesNothing)
{
    ASSERT_TRUE(QDir(Parent()).mkdir(QStringLiteral("THERE")));
    const struct {
        const char* typed;
        QString message;
    } cases[] = {
        {"A/B", QString::fromUtf8("フォルダ名には [/] は使用できません")},
        {"A*", messages::Text(SharedMessage::FolderNameAsterisk)},
        {"A?", messages::Text(SharedMessage::FolderNameQuestionMark)},
        {".X", messages::Text(SharedMessage::FolderNameDotAtEnds)},
        {"X.", messages::Text(SharedMessage::FolderNameDotAtEnds)},
        // Spaces cannot carry a refused name past the rules.
        {"  .X ", messages::Text(SharedMessage::FolderNameDotAtEnds)},
        {"THERE", messages::Text(SharedMessage::FolderNotCreated)},
    };
    for (const auto& c : cases) {
        dialogs.asked.clear();
        EXPECT_EQ(Run(QString::fromUtf8(c.typed)), QString()) << c.typed;
        EXPECT_EQ(dialogs.messages(), QStringList{c.message}) << c.typed;
        EXPECT_EQ(dialogs.asked.last().buttons, platform::MessageButtons::Ok);
    }
    EXPECT_EQ(Made(), QStringList{"THERE"});
}

TEST_F(NewFolderCommandTest, TrailingSeparatorAndBackslashNamesAreMade)
{
    EXPECT_EQ(Run(QStringLiteral("NEW/")), Parent() + QStringLiteral("/NEW"));
    EXPECT_EQ(Run(QStringLiteral("A\\B")), Parent() + QStringLiteral("/A\\B"));
    EXPECT_EQ(Run(QStringLiteral("X.Y")), Parent() + QStringLiteral("/X.Y"));
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(Made(), QStringList({"A\\B", "NEW", "X.Y"}));
}

} // namespace

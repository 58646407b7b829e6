#include "util/newFolder.h"

#include "support/printQString.h"
#include "support/tempFolder.h"
#include "util/sharedMessages.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using newFolder::Creation;
using newFolder::NameCheck;
using paths::PathStyle;

namespace {

struct NameCase {
    const char* name;
    NameCheck windows; // with '\' as the separator
    NameCheck posix;   // with '/' as the separator
};

void PrintTo(const NameCase& c, std::ostream* os)
{
    *os << '"' << c.name << '"';
}

class FolderNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(FolderNameTest, FirstBrokenRuleWins)
{
    const QString name = QString::fromUtf8(GetParam().name);
    EXPECT_EQ(newFolder::CheckName(name, PathStyle::Windows), GetParam().windows);
    EXPECT_EQ(newFolder::CheckName(name, PathStyle::Posix), GetParam().posix);
}

INSTANTIATE_TEST_SUITE_P(Rules, FolderNameTest,
                         testing::Values(NameCase{"NEW", NameCheck::Accepted, NameCheck::Accepted},
                                         NameCase{"X.Y", NameCheck::Accepted, NameCheck::Accepted},
                                         NameCase{"新しいフォルダ", NameCheck::Accepted, NameCheck::Accepted},
                                         // One separator at the very end is accepted and dropped later.
                                         NameCase{"NEW\\", NameCheck::Accepted, NameCheck::Accepted},
                                         NameCase{"NEW/", NameCheck::Accepted, NameCheck::Accepted},
                                         NameCase{"A\\B", NameCheck::Separator, NameCheck::Accepted},
                                         NameCase{"A/B", NameCheck::Accepted, NameCheck::Separator},
                                         NameCase{"NEW//", NameCheck::Accepted, NameCheck::Separator},
                                         NameCase{"\\NEW", NameCheck::Separator, NameCheck::Accepted},
                                         NameCase{"A*", NameCheck::Asterisk, NameCheck::Asterisk},
                                         NameCase{"A?", NameCheck::QuestionMark, NameCheck::QuestionMark},
                                         NameCase{"*?", NameCheck::Asterisk, NameCheck::Asterisk},
                                         NameCase{".X", NameCheck::DotAtEnds, NameCheck::DotAtEnds},
                                         NameCase{"X.", NameCheck::DotAtEnds, NameCheck::DotAtEnds},
                                         NameCase{"..", NameCheck::DotAtEnds, NameCheck::DotAtEnds},
                                         // The separator rule comes before the others.
                                         NameCase{"A/B*.", NameCheck::Asterisk, NameCheck::Separator},
                                         NameCase{"A\tB", NameCheck::Abnormal, NameCheck::Abnormal},
                                         NameCase{"A:B", NameCheck::Accepted, NameCheck::Accepted}));

TEST(FolderNameTest, NulIsAbnormal)
{
    const QString name = QStringLiteral("A") + QChar(0) + QStringLiteral("B");
    EXPECT_EQ(newFolder::CheckName(name), NameCheck::Abnormal);
}

TEST(FolderNameTest, RefusalsNameTheSeparatorOfTheirStyle)
{
    using messages::SharedMessage;
    const struct {
        NameCheck check;
        PathStyle style;
        QString text;
    } cases[] = {
        {NameCheck::Separator, PathStyle::Windows, QString::fromUtf8("フォルダ名には [\\] は使用できません")},
        {NameCheck::Separator, PathStyle::Posix, QString::fromUtf8("フォルダ名には [/] は使用できません")},
        {NameCheck::Asterisk, PathStyle::Posix, messages::Text(SharedMessage::FolderNameAsterisk)},
        {NameCheck::QuestionMark, PathStyle::Posix, messages::Text(SharedMessage::FolderNameQuestionMark)},
        {NameCheck::DotAtEnds, PathStyle::Posix, messages::Text(SharedMessage::FolderNameDotAtEnds)},
        {NameCheck::Abnormal, PathStyle::Posix, messages::Text(SharedMessage::FolderNameInvalid)},
        {NameCheck::Accepted, PathStyle::Posix, QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(newFolder::RefusalText(c.check, c.style), c.text) << static_cast<int>(c.check);
}

TEST(FolderNameTest, OnlySpacesAroundTheNameAreTrimmed)
{
    EXPECT_EQ(newFolder::TrimSpaces(QStringLiteral("  NEW ")), QStringLiteral("NEW"));
    EXPECT_EQ(newFolder::TrimSpaces(QStringLiteral("A B")), QStringLiteral("A B"));
    EXPECT_EQ(newFolder::TrimSpaces(QStringLiteral("   ")), QString());
    EXPECT_EQ(newFolder::TrimSpaces(QStringLiteral("\tNEW\t")), QStringLiteral("\tNEW\t"));
}

class FolderCreationTest : public testing::Test {
protected:
    QString Parent() const { return QString::fromStdString(root.Path()); }
    testSupport::TempFolder root;
};

TEST_F(FolderCreationTest, MakesOneLevelWithOrWithoutSeparators)
{
    const struct {
        QString parent;
        const char* name;
        const char* made; // below root
    } cases[] = {
        {Parent(), "NEW", "NEW"},
        {Parent() + QLatin1Char('/'), "ENDS", "ENDS"},
        {Parent(), "TRAILING/", "TRAILING"},
        {Parent(), "back\\slash", "back\\slash"},
        {Parent() + QStringLiteral("/NEW"), "INNER", "NEW/INNER"},
    };
    for (const auto& c : cases) {
        const newFolder::Outcome outcome = newFolder::Create(c.parent, QString::fromUtf8(c.name));
        const QString expected = Parent() + QLatin1Char('/') + QString::fromUtf8(c.made);
        EXPECT_EQ(outcome.creation, Creation::Created) << c.name;
        EXPECT_EQ(outcome.path, expected);
        EXPECT_TRUE(QFileInfo(expected).isDir()) << c.name;
    }
}

TEST_F(FolderCreationTest, RefusalsOfTheFileSystemMakeNothing)
{
    ASSERT_TRUE(QDir(Parent()).mkdir(QStringLiteral("THERE")));
    const struct {
        QString parent;
        QString name;
    } cases[] = {
        {Parent(), QStringLiteral("THERE")},                            // exists already
        {Parent() + QStringLiteral("/missing"), QStringLiteral("NEW")}, // the parent is missing
        {Parent(), QStringLiteral("/")},                                // nothing left to make
        {Parent(), QString(300, u'x')},                                 // too long for the file system
    };
    for (const auto& c : cases)
        EXPECT_EQ(newFolder::Create(c.parent, c.name).creation, Creation::NotCreated)
            << c.name.left(20).toStdString();
    EXPECT_EQ(QDir(Parent()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"THERE"});
}

TEST_F(FolderCreationTest, FolderThatCannotBeEnteredIsReportedAndStays)
{
    // A umask that leaves the new folder no permission at all; the
    // super-user enters any folder, so the check runs as user "nobody".
    constexpr uid_t kNobody = 65534;
    if (geteuid() == 0) {
        ASSERT_EQ(chown(root.Path().c_str(), kNobody, kNobody), 0);
        ASSERT_EQ(chmod(root.Path().c_str(), 0755), 0);
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0))
            _exit(2);
        umask(0777);
        _exit(newFolder::Create(Parent(), QStringLiteral("CLOSED")).creation == Creation::NotEnterable ? 0
                                                                                                       : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: not reported as not enterable; 2: could not become nobody";
    EXPECT_TRUE(QFileInfo(Parent() + QStringLiteral("/CLOSED")).isDir());
    chmod((root / "CLOSED").c_str(), 0755);
}

} // namespace

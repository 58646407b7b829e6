#include <gtest/gtest.h>

#include <ostream>

#include <QApplication>

#include "platform/display.h"
#include "support/fakeDialogs.h"
#include "platform/headlessDialogs.h"
#include "platform/qtDialogs.h"

namespace {

using platform::FontChoice;
using platform::MessageAnswer;
using platform::MessageButtons;

struct HeadlessCase {
    const char* name;
    MessageButtons buttons;
    MessageAnswer expected;
    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const HeadlessCase& c, std::ostream* os) { *os << c.name; }
};

class HeadlessAnswers : public ::testing::TestWithParam<HeadlessCase> {};

// The tests run on Qt's offscreen platform: the Qt dialogs must see that no
// person can answer and behave exactly like the headless ones.
TEST_P(HeadlessAnswers, MessageTakesTheDefaultAndGoesToStandardError)
{
    int argc = 1;
    char name[] = "platformDialogsTest";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    ASSERT_FALSE(platform::HasDisplay());

    platform::HeadlessDialogs headless;
    platform::QtDialogs qt;
    for (platform::IDialogs* dialogs :
         {static_cast<platform::IDialogs*>(&headless), static_cast<platform::IDialogs*>(&qt)}) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(
            dialogs->MessageBox(QStringLiteral("現在UNLHA32.DLLは使用中です\nline two"), GetParam().buttons),
            GetParam().expected);
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "Tollbrook2: 現在UNLHA32.DLLは使用中です line two\n");

        testing::internal::CaptureStderr();
        EXPECT_EQ(
            dialogs->InputBox(QStringLiteral("prompt"), QStringLiteral("title"), QStringLiteral("proposed")),
            QString());
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(dialogs->SaveFileName(QStringLiteral("LogFile(*.LOG)|*.LOG"), QStringLiteral(".LOG")),
                  QString());
        const FontChoice font{QStringLiteral("ＭＳ 明朝"), 10, true, false};
        EXPECT_EQ(dialogs->ChooseFont(font), font);
    }
}

INSTANTIATE_TEST_SUITE_P(Buttons, HeadlessAnswers,
                         ::testing::Values(HeadlessCase{"Ok", MessageButtons::Ok, MessageAnswer::Ok},
                                           HeadlessCase{"YesNo", MessageButtons::YesNo, MessageAnswer::No}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DisplayTest, NoApplicationMeansNoDisplay)
{
    EXPECT_FALSE(platform::HasDisplay());
}

struct FilterCase {
    const char* name;
    QString windowsFilter;
    QString qtFilter;
    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const FilterCase& c, std::ostream* os) { *os << c.name; }
};

class FileFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FileFilter, BecomesQtFilter)
{
    EXPECT_EQ(platform::QtFileFilter(GetParam().windowsFilter), GetParam().qtFilter);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FileFilter,
    ::testing::Values(FilterCase{"LogFiles", QStringLiteral("LogFile(*.LOG)|*.LOG|全てのファイル(*.*)|*.*"),
                                 QStringLiteral("LogFile(*.LOG);;全てのファイル(*.*)")},
                      FilterCase{"PatternAdded", QStringLiteral("Text|*.txt"),
                                 QStringLiteral("Text (*.txt)")},
                      FilterCase{"SeveralPatterns", QStringLiteral("Archives|*.lzh;*.cab"),
                                 QStringLiteral("Archives (*.lzh *.cab)")},
                      FilterCase{"Empty", QString(), QString()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FakeDialogsTest, ScriptedAnswersThenDefaultsAndEveryQuestionRecorded)
{
    platform::FakeDialogs dialogs;
    dialogs.messageAnswers.enqueue(MessageAnswer::Yes);
    dialogs.inputAnswers.enqueue(QStringLiteral("alias"));

    EXPECT_EQ(dialogs.MessageBox(QStringLiteral("first"), MessageButtons::YesNo), MessageAnswer::Yes);
    EXPECT_EQ(dialogs.MessageBox(QStringLiteral("second"), MessageButtons::YesNo), MessageAnswer::No);
    EXPECT_EQ(dialogs.InputBox(QStringLiteral("prompt"), QStringLiteral("title"), QStringLiteral("p")),
              QStringLiteral("alias"));
    EXPECT_EQ(dialogs.InputBox(QStringLiteral("prompt"), QStringLiteral("title"), QStringLiteral("p")),
              QString());
    EXPECT_EQ(dialogs.messages(), (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
    ASSERT_EQ(dialogs.asked.size(), 4);
    EXPECT_EQ(dialogs.asked[2].title, QStringLiteral("title"));
}

} // namespace

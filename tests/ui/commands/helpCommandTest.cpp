#include "ui/commands/helpCommand.h"

#include "support/fakeServices.h"
#include "support/fileBytes.h"
#include "support/printQString.h"
#include "support/tempFolder.h"
#include "util/paths.h"

#include <gtest/gtest.h>

namespace {

TEST(HelpCommandTest, PicksThePageOfTheLanguageOrTheOtherOne)
{
    using messages::Language;
    testSupport::TempFolder folder;
    const QString dir = QString::fromStdString(folder.Path());
    const QString japanese = dir + QStringLiteral("/manual.html");
    const QString english = dir + QStringLiteral("/manual-en.html");

    EXPECT_EQ(helpCommand::ManualPage(dir, Language::Japanese), QString()) << "no manual at all";
    testSupport::WriteBytes(folder / "manual-en.html", "<html></html>");
    EXPECT_EQ(helpCommand::ManualPage(dir, Language::Japanese), english);
    testSupport::WriteBytes(folder / "manual.html", "<html></html>");
    EXPECT_EQ(helpCommand::ManualPage(dir, Language::Japanese), japanese);
    EXPECT_EQ(helpCommand::ManualPage(dir, Language::English), english);
    std::filesystem::remove(folder / "manual-en.html");
    EXPECT_EQ(helpCommand::ManualPage(dir, Language::English), japanese);
    EXPECT_EQ(helpCommand::ManualPage(dir + QStringLiteral("/missing"), Language::English), QString());
}

TEST(HelpCommandTest, OpensTheInstalledManualInTheViewer)
{
    testSupport::FakeServices services;
    helpCommand::OpenManual();
    EXPECT_EQ(services.documents.opened, QStringList{paths::GetManualDir() + QStringLiteral("/manual.html")});
}

} // namespace

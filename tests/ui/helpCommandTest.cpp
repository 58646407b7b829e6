#include "ui/helpCommand.h"

#include "support/fakeServices.h"
#include "support/fileBytes.h"
#include "support/printQString.h"
#include "support/tempFolder.h"
#include "util/paths.h"

#include <gtest/gtest.h>

namespace {

TEST(HelpCommandTest, PicksThePageOfTheUsersLanguageOrTheOtherOne)
{
    testSupport::TempFolder folder;
    const QString dir = QString::fromStdString(folder.Path());
    const QString japanese = dir + QStringLiteral("/manual.html");
    const QString english = dir + QStringLiteral("/manual-en.html");

    EXPECT_EQ(helpCommand::ManualPage(dir, QLocale::Japanese), QString()) << "no manual at all";
    testSupport::WriteBytes(folder / "manual-en.html", "<html></html>");
    EXPECT_EQ(helpCommand::ManualPage(dir, QLocale::Japanese), english);
    testSupport::WriteBytes(folder / "manual.html", "<html></html>");
    EXPECT_EQ(helpCommand::ManualPage(dir, QLocale::Japanese), japanese);
    EXPECT_EQ(helpCommand::ManualPage(dir, QLocale::English), english);
    EXPECT_EQ(helpCommand::ManualPage(dir, QLocale::German), english);
    std::filesystem::remove(folder / "manual-en.html");
    EXPECT_EQ(helpCommand::ManualPage(dir, QLocale::French), japanese);
    EXPECT_EQ(helpCommand::ManualPage(dir + QStringLiteral("/missing"), QLocale::English), QString());
}

TEST(HelpCommandTest, OpensTheInstalledManualInTheViewer)
{
    testSupport::FakeServices services;
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    helpCommand::OpenManual();
    QLocale::setDefault(saved);
    EXPECT_EQ(services.documents.opened, QStringList{paths::GetManualDir() + QStringLiteral("/manual.html")});
}

} // namespace

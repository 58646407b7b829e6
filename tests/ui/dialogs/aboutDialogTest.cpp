#include "ui/dialogs/aboutDialog.h"

#include "support/printQString.h"
#include "support/fakeLibrary.h"
#include "ui/widgetTest.h"
#include "util/sharedMessages.h"

#include <QLabel>
#include <QLineEdit>

namespace {

class AboutDialogTest : public testSupport::WidgetTest {
protected:
    QString Text(const QString& name) { return dialog.findChild<QLabel*>(name)->text(); }
    AboutDialog dialog;
};

TEST_F(AboutDialogTest, LibraryRowsFillFromTheTop)
{
    const struct {
        bool unlha;
        int unlhaVersion;
        bool cab;
        int cabVersion;
        const char* rows[4]; // name 0, version 0, name 1, version 1
    } cases[] = {
        {true, 133, true, 100, {"UNLHA32.DLL", "Ver.1.33", "CAB32.DLL", "Ver.1.00"}},
        {false, 133, true, 7, {"CAB32.DLL", "Ver.0.07", "", ""}},
        {true, 5, false, 100, {"UNLHA32.DLL", "Ver.0.05", "", ""}},
        {false, 0, false, 0, {"", "", "", ""}},
    };
    for (const auto& c : cases) {
        archiver::Libraries libraries;
        if (c.unlha)
            libraries.Set(archiver::kLzh, std::make_shared<archiver::FakeArchiverLibrary>(), c.unlhaVersion);
        if (c.cab)
            libraries.Set(archiver::kCab, std::make_shared<archiver::FakeArchiverLibrary>(), c.cabVersion);
        dialog.SetLibraries(libraries);
        EXPECT_EQ(Text("lblProg0"), QString::fromLatin1(c.rows[0]));
        EXPECT_EQ(Text("lblVer0"), QString::fromLatin1(c.rows[1]));
        EXPECT_EQ(Text("lblProg1"), QString::fromLatin1(c.rows[2]));
        EXPECT_EQ(Text("lblVer1"), QString::fromLatin1(c.rows[3]));
    }
}

TEST_F(AboutDialogTest, VersionsHaveTwoDecimals)
{
    const std::pair<int, const char*> cases[] = {{133, "1.33"}, {100, "1.00"}, {5, "0.05"},
                                                 {7, "0.07"},   {0, "0.00"},   {1234, "12.34"}};
    for (const auto& [version, text] : cases)
        EXPECT_EQ(AboutDialog::VersionText(version), QString::fromLatin1(text)) << version;
}

TEST_F(AboutDialogTest, NamesTheProgramItsVersionAndWhereToLearnMore)
{
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(Text("lblAboutProgName"), QStringLiteral("Tollbrook2 for Win32"));
    EXPECT_EQ(Text("lblAboutVersion"), QStringLiteral("Ver.1.02"));
    const std::pair<const char*, messages::SharedMessage> fields[] = {
        {"txtNiftyMail", messages::SharedMessage::AboutManual},
        {"txtMail", messages::SharedMessage::AboutLicence},
        {"txtHttp", messages::SharedMessage::AboutSource}};
    for (const auto& [name, id] : fields) {
        const auto* field = dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
        ASSERT_NE(field, nullptr) << name;
        EXPECT_TRUE(field->isReadOnly());
        EXPECT_EQ(field->text(), messages::Text(id));
    }
}

} // namespace

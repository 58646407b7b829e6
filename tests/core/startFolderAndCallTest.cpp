#include "core/callOptions.h"
#include "core/outputFolder.h"
#include "support/fakeServices.h"
#include "support/storedSettings.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using testSupport::kCurrentApplication;
using testSupport::kLegacyApplication;

class OutputStartFolder : public ::testing::Test {
protected:
    OutputStartFolder()
    {
        QDir(dir.path()).mkpath(QStringLiteral("fixed"));
        QDir(dir.path()).mkpath(QStringLiteral("last"));
        QDir(dir.path()).mkpath(QStringLiteral("current"));
    }

    QString Path(const char* name) const { return dir.path() + u'/' + QString::fromLatin1(name); }

    QTemporaryDir dir;
};

TEST_F(OutputStartFolder, ChoosesByTheStoredKeys)
{
    struct Case {
        const char* name;
        QString application;
        QStringList keys; // key=value pairs
        QString expected;
    };
    const QString current = Path("current");
    const Case cases[] = {
        {"nothing stored", kCurrentApplication, {}, current},
        {"fixed folder in force",
         kCurrentApplication,
         {"Dir_Out=" + Path("fixed"), "OldDir_Out=" + Path("last")},
         Path("fixed")},
        {"last folder",
         kCurrentApplication,
         {"Dir_Out=" + Path("fixed"), "Dir_Out_Yuko=False", "OldDir_Out=" + Path("last")},
         Path("last")},
        {"missing folder", kCurrentApplication, {"Dir_Out=" + Path("gone")}, current},
        {"relative folder", kCurrentApplication, {"Dir_Out=fixed"}, current},
        {"legacy location", kLegacyApplication, {"OutDir_Left=100", "Dir_Out=" + Path("last")}, Path("last")},
        {"legacy without its probe key", kLegacyApplication, {"Dir_Out=" + Path("last")}, current},
    };
    for (const Case& c : cases) {
        testSupport::FakeServices services;
        for (const QString& pair : c.keys)
            services.settings.Seed(c.application, testSupport::kSection, pair.section(u'=', 0, 0),
                                   pair.section(u'=', 1));
        EXPECT_EQ(core::OutputStartFolder(current), c.expected) << c.name;
    }
}

TEST(CallArguments, OptionsNamesAndErrors)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("out"));
    struct Case {
        QStringList arguments;
        bool automatic;
        std::optional<short> kind;
        QString output;
        QStringList names;
        bool error;
    };
    const QString out = dir.path() + QStringLiteral("/out");
    const Case cases[] = {
        {{"a.lzh", "/b.cab"}, false, {}, {}, {"a.lzh", "/b.cab"}, false},
        {{"--auto", "a.lzh"}, true, {}, {}, {"a.lzh"}, false},
        {{"--kind=dos", "--kind=win16"}, false, 1, {}, {}, false},
        {{"--kind=win32"}, false, 2, {}, {}, false},
        {{"--kind=DOS"}, false, {}, {}, {}, true},
        {{"--out=out"}, false, {}, out, {}, false},
        {{"--out=" + out + "/"}, false, {}, out, {}, false},
        {{"--out=missing"}, false, {}, {}, {}, true},
        {{"--out="}, false, {}, {}, {}, true},
        {{"--", "--auto", "/U"}, false, {}, {}, {"--auto", "/U"}, false},
        {{"--verbose"}, false, {}, {}, {}, true},
        {{"-x.lzh"}, false, {}, {}, {"-x.lzh"}, false},
        {{"--jobs=0"}, false, {}, {}, {}, true},
        {{"--jobs=-2"}, false, {}, {}, {}, true},
        {{"--jobs=two"}, false, {}, {}, {}, true},
        {{"--jobs=2x"}, false, {}, {}, {}, true},
        {{"--jobs="}, false, {}, {}, {}, true},
    };
    for (const Case& c : cases) {
        QList<QByteArray> arguments;
        for (const QString& argument : c.arguments)
            arguments << argument.toUtf8();
        const core::CallOptions call = core::ParseCallArguments(arguments, dir.path());
        const std::string label = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(call.automatic, c.automatic) << label;
        EXPECT_EQ(call.kind, c.kind) << label;
        if (!c.error) {
            EXPECT_EQ(call.outputFolder, c.output) << label;
        }
        EXPECT_EQ(call.names, c.names) << label;
        EXPECT_EQ(!call.error.isEmpty(), c.error) << label;
        EXPECT_TRUE(call.undecodableNames.isEmpty()) << label;
    }
    // The last --jobs= counts; none leaves the choice to the program.
    EXPECT_EQ(core::ParseCallArguments({"--jobs=3", "--jobs=1"}, dir.path()).jobs, 1);
    EXPECT_EQ(core::ParseCallArguments({"--jobs=16"}, dir.path()).jobs, 16);
    EXPECT_FALSE(core::ParseCallArguments({"a.lzh"}, dir.path()).jobs);
}

TEST(CallArguments, NamesThatAreNoUtf8AreKeptApartAsBytes)
{
    // "日本" in Shift_JIS, a lone continuation byte, an overlong slash.
    const QByteArray shiftJis = "/in/\x93\xfa\x96\x7b.lzh";
    const QByteArray stray = "b\x80.lzh";
    const QByteArray overlong = "c\xc0\xaf.lzh";
    const core::CallOptions call = core::ParseCallArguments(
        {"--auto", shiftJis, "/in/\xe6\x97\xa5\xe6\x9c\xac.lzh", stray, "--", overlong}, QStringLiteral("/"));
    EXPECT_TRUE(call.error.isEmpty());
    EXPECT_EQ(call.names, QStringList({QStringLiteral("/in/日本.lzh")}));
    EXPECT_EQ(call.undecodableNames, QList<QByteArray>({shiftJis, stray, overlong}));
    EXPECT_EQ(core::PrintableName(shiftJis), QStringLiteral("/in/\\x93\\xfa\\x96{.lzh"));
    EXPECT_EQ(core::PrintableName("\xe6\x97\xa5\x81\tx"), QStringLiteral("日\\x81\\x09x"));

    EXPECT_FALSE(core::ParseCallArguments({"--out=\xff"}, QStringLiteral("/")).error.isEmpty());
}

} // namespace

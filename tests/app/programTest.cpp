#include <gtest/gtest.h>

#include <ostream>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct HeadlessCase {
    const char* name;
    const char* display;  // null: unset
    const char* platform; // QT_QPA_PLATFORM, null: unset
    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const HeadlessCase& c, std::ostream* os) { *os << c.name; }
};

class HeadlessStart : public ::testing::TestWithParam<HeadlessCase> {};

// With no display and nothing to convert the program explains itself in one
// line and ends with status 3, without waiting and without storing anything.
TEST_P(HeadlessStart, EndsWithStatusThreeAndOneLine)
{
    QTemporaryDir config;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    if (GetParam().display)
        environment.insert(QStringLiteral("DISPLAY"), GetParam().display);
    if (GetParam().platform)
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), GetParam().platform);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());

    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TB_BINARY_DIR "/bin/tollbrook2"), {QStringLiteral("--lang=en")});
    ASSERT_TRUE(program.waitForFinished(30000)) << "the program waited on an invisible window";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 3);
    const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
    EXPECT_EQ(errors.count(QLatin1Char('\n')), 1) << errors.toStdString();
    EXPECT_TRUE(errors.startsWith(QStringLiteral("tollbrook2: no display available")))
        << errors.toStdString();
    EXPECT_TRUE(program.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(QDir(config.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

INSTANTIATE_TEST_SUITE_P(Environments, HeadlessStart,
                         ::testing::Values(HeadlessCase{"NoDisplayVariables", nullptr, nullptr},
                                           HeadlessCase{"OffscreenAsked", nullptr, "offscreen"},
                                           HeadlessCase{"UnreachableDisplay", ":9999", nullptr}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

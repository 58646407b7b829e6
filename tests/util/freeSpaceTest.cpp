#include "util/paths.h"

#include "support/printQString.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <limits>

namespace {

constexpr qint64 MiB = 1048576;

TEST(FormatFreeSpace, GroupsAndRoundsToTheNearestTenth)
{
    struct Case {
        qint64 freeBytes;
        const char* expected;
    };
    const Case cases[] = {
        {1572864000, " (1,500.0M Free)"},
        {0, ""},
        {-MiB, ""},
        {1, " (0.0M Free)"},
        {MiB / 20 - 1, " (0.0M Free)"},                      // just under 0.05
        {MiB / 20 + 1, " (0.1M Free)"},                      // just over 0.05
        {MiB + MiB / 4, " (1.3M Free)"},                     // 1.25: halves go up
        {MiB * 999 + MiB * 19 / 20 + 1, " (1,000.0M Free)"}, // 999.95 carries into the thousands
        {MiB * 999, " (999.0M Free)"},
        {MiB * 1000, " (1,000.0M Free)"},
        {MiB * 1234567 + MiB / 2, " (1,234,567.5M Free)"},
        // Far beyond single precision: the tenths stay exact.
        {MiB * 123456789 + MiB * 3 / 10 + 1, " (123,456,789.3M Free)"},
        {std::numeric_limits<qint64>::max(), " (8,796,093,022,208.0M Free)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(paths::FormatFreeSpace(c.freeBytes), QString::fromUtf8(c.expected)) << c.freeBytes;
}

TEST(FormatFreeSpace, IgnoresTheUsersLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = paths::FormatFreeSpace(1572864000);
    QLocale::setDefault(previous);
    EXPECT_EQ(text, QStringLiteral(" (1,500.0M Free)"));
}

TEST(GetFreeSpaceText, DescribesTheFileSystemHoldingThePath)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QRegularExpression pattern(QStringLiteral(R"(^ \(\d{1,3}(,\d{3})*\.\dM Free\)$)"));
    // A folder, and a name not yet created inside it, both give the text.
    for (const QString& path : {dir.path(), dir.filePath(QStringLiteral("not/yet/made.EXE"))}) {
        const QString text = paths::GetFreeSpaceText(path);
        EXPECT_TRUE(pattern.match(text).hasMatch()) << path.toStdString() << " -> " << text.toStdString();
    }
    EXPECT_EQ(paths::GetFreeSpaceText(QString()), QString());
}

} // namespace

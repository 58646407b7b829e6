// Jobs and reports as they cross between the run and its workers.
#include "run/workerFrames.h"

#include "common/resultCodes.h"
#include "support/printQString.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace {

TEST(WorkerFrames, ArriveWholeWhateverPiecesTheyComeIn)
{
    const run::WorkerBatch batch{{QStringLiteral("/in/名前 with \"quotes\"\nand a line break.lzh"), true},
                                 {QStringLiteral("/in/b.lzh"), false}};
    const run::WorkerReports reports{
        {{QStringLiteral("[ a ]"), QStringLiteral("\u3000line")},
         {QStringLiteral("/out/A.EXE")},
         run::OutcomeDone,
         3,
         tbarc::HandedOver{-1, "/out/名前.EXE", "/out/.tb-0123abcd.tmp", true, false}},
        {{QStringLiteral("[ b ]")}, {}, run::OutcomeStop, tbarc::kDiskFull, std::nullopt}};
    // A stop: the batch with no archive.
    const QByteArray stream = run::Frame(batch) + run::Frame(reports) + run::Frame(run::WorkerBatch{});
    // Every split of the stream into what one read and the next give.
    for (qsizetype cut = 0; cut <= stream.size(); ++cut) {
        QByteArray buffer = stream.left(cut);
        run::WorkerBatch gotBatch;
        const bool batchWhole = cut >= run::Frame(batch).size();
        ASSERT_EQ(run::TakeFrame(buffer, gotBatch),
                  batchWhole ? run::FrameState::Taken : run::FrameState::Incomplete)
            << cut;
        if (!batchWhole) {
            EXPECT_EQ(buffer, stream.left(cut)) << "an incomplete frame stays";
            continue;
        }
        ASSERT_EQ(gotBatch.size(), 2);
        EXPECT_EQ(gotBatch[0].archive, batch[0].archive);
        EXPECT_TRUE(gotBatch[0].madeEarlierThisRun);
        EXPECT_EQ(gotBatch[1].archive, batch[1].archive);
        EXPECT_FALSE(gotBatch[1].madeEarlierThisRun);
        buffer += stream.mid(cut);
        run::WorkerReports gotReports;
        ASSERT_EQ(run::TakeFrame(buffer, gotReports), run::FrameState::Taken) << cut;
        ASSERT_EQ(gotReports.size(), 2);
        for (qsizetype i = 0; i < 2; ++i) {
            EXPECT_EQ(gotReports[i].history, reports[i].history);
            EXPECT_EQ(gotReports[i].created, reports[i].created);
            EXPECT_EQ(gotReports[i].outcome, reports[i].outcome);
            EXPECT_EQ(gotReports[i].libraryCode, reports[i].libraryCode);
            ASSERT_EQ(gotReports[i].handedOver.has_value(), reports[i].handedOver.has_value());
        }
        EXPECT_EQ(gotReports[0].handedOver->finalPath, reports[0].handedOver->finalPath);
        EXPECT_EQ(gotReports[0].handedOver->scratchPath, reports[0].handedOver->scratchPath);
        EXPECT_TRUE(gotReports[0].handedOver->marked);
        EXPECT_FALSE(gotReports[0].handedOver->replace);
        ASSERT_EQ(run::TakeFrame(buffer, gotBatch), run::FrameState::Taken) << cut;
        EXPECT_TRUE(gotBatch.isEmpty());
        EXPECT_TRUE(buffer.isEmpty());
    }
}

TEST(WorkerFrames, WhatIsNoFrameIsSaidUnreadable)
{
    const auto withLength = [](quint32 length, const QByteArray& body) {
        QByteArray frame(4, '\0');
        qToLittleEndian<quint32>(length, frame.data());
        return frame + body;
    };
    QByteArray wrongOutcome =
        run::Frame(run::WorkerReports{{{}, {}, run::OutcomeDone, run::CodeNotAttempted, std::nullopt}});
    // The outcome's low byte, before the library's code and the hand-over mark.
    wrongOutcome[wrongOutcome.size() - 6] = 7;
    const QByteArray report = run::Frame(run::WorkerReports{{}});
    QByteArray moreThanSent = run::Frame(run::WorkerReports{{}});
    moreThanSent[7] = 2; // the count says two reports, one follows
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"an outcome that is none", wrongOutcome},
        {"a length past any frame", withLength(0x7fffffff, "x")},
        {"a body longer than a report", withLength(quint32(report.size() - 4 + 1), report.mid(4) + 'x')},
        {"a body shorter than a report", withLength(3, "abc")},
        {"fewer reports than counted", moreThanSent},
    };
    for (const Case& c : cases) {
        QByteArray buffer = c.bytes;
        run::WorkerReports got;
        EXPECT_EQ(run::TakeFrame(buffer, got), run::FrameState::Unreadable) << c.what;
    }
}

} // namespace

namespace {

// The opening carries every option as the run had it; an opening that lacks
// one, or holds one that is not valid, gives no options at all.
TEST(WorkerFrames, AnOpeningCarriesEveryOptionOfTheRun)
{
    options::Options options = options::Defaults();
    options.upperCaseNames = false;
    options.lzhWin32Options = QStringLiteral("s -gw2 名前");
    options.autoRunKind = 1;
    options.fontSize = 12;
    const run::WorkerOpening opening =
        run::OpeningOf(tbarc::SfxKind::Dos, QStringLiteral("/out"), options, messages::Language::English);
    QByteArray buffer = run::Frame(opening);
    run::WorkerOpening got;
    ASSERT_EQ(run::TakeFrame(buffer, got), run::FrameState::Taken);
    EXPECT_EQ(got.kind, tbarc::SfxKind::Dos);
    EXPECT_EQ(got.outputFolder, QStringLiteral("/out/"));
    EXPECT_EQ(got.language, QStringLiteral("en"));
    options::Options taken;
    ASSERT_TRUE(run::OptionsOf(got, taken));
    for (const options::Option& option : options::kOptions)
        EXPECT_EQ(options::StoredText(taken, option), options::StoredText(options, option)) << option.key;

    run::WorkerOpening lacking = got;
    lacking.options.removeLast();
    EXPECT_FALSE(run::OptionsOf(lacking, taken));
    run::WorkerOpening invalid = got;
    invalid.options.first().second = QStringLiteral("maybe");
    EXPECT_FALSE(run::OptionsOf(invalid, taken));
}

} // namespace

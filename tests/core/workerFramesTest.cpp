// Jobs and reports as they cross between the run and its workers.
#include "core/workerFrames.h"

#include "support/printQString.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace {

TEST(WorkerFrames, ArriveWholeWhateverPiecesTheyComeIn)
{
    const core::WorkerJob job{QStringLiteral("/in/名前 with \"quotes\"\nand a line break.lzh"), true};
    const core::WorkerReport report{{QStringLiteral("[ a ]"), QStringLiteral("\u3000line")},
                                    {QStringLiteral("/out/A.EXE")},
                                    core::OutcomeStop};
    const QByteArray stream = core::Frame(job) + core::Frame(report);
    // Every split of the stream into what one read and the next give.
    for (qsizetype cut = 0; cut <= stream.size(); ++cut) {
        QByteArray buffer = stream.left(cut);
        core::WorkerJob gotJob;
        const bool jobWhole = cut >= core::Frame(job).size();
        ASSERT_EQ(core::TakeFrame(buffer, gotJob),
                  jobWhole ? core::FrameState::Taken : core::FrameState::Incomplete)
            << cut;
        if (!jobWhole) {
            EXPECT_EQ(buffer, stream.left(cut)) << "an incomplete frame stays";
            continue;
        }
        EXPECT_EQ(gotJob.archive, job.archive);
        EXPECT_TRUE(gotJob.madeEarlierThisRun);
        buffer += stream.mid(cut);
        core::WorkerReport gotReport;
        ASSERT_EQ(core::TakeFrame(buffer, gotReport), core::FrameState::Taken) << cut;
        EXPECT_EQ(gotReport.history, report.history);
        EXPECT_EQ(gotReport.created, report.created);
        EXPECT_EQ(gotReport.outcome, core::OutcomeStop);
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
    QByteArray wrongOutcome = core::Frame(core::WorkerReport{{}, {}, core::OutcomeDone});
    wrongOutcome[wrongOutcome.size() - 1] = 7;
    const QByteArray report = core::Frame(core::WorkerReport{});
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"an outcome that is none", wrongOutcome},
        {"a length past any frame", withLength(0x7fffffff, "x")},
        {"a body longer than a report", withLength(quint32(report.size() - 4 + 1), report.mid(4) + 'x')},
        {"a body shorter than a report", withLength(3, "abc")},
    };
    for (const Case& c : cases) {
        QByteArray buffer = c.bytes;
        core::WorkerReport got;
        EXPECT_EQ(core::TakeFrame(buffer, got), core::FrameState::Unreadable) << c.what;
    }
}

} // namespace

// The real worker processes of the build, driven as a run drives them.
#include "coreApplicationTest.h"
#include "run/workerProcesses.h"

#include "support/printQString.h"
#include "util/programMessages.h"
#include "support/tempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using WorkerProcessesTest = CoreApplicationTest;

// A worker converts with the options of the run's opening: the settings file
// (here one that asks for the opposite) is never read.
TEST_F(WorkerProcessesTest, AWorkerConvertsWithTheRunsOptionsNotTheSettingsFile)
{
    for (const bool convertLzh : {false, true}) {
        testSupport::TempFolder config;
        testSupport::TempFolder output;
        QFile settings(QString::fromStdString(config / "Tollbrook2/settings.ini"));
        QFileInfo(settings).dir().mkpath(QStringLiteral("."));
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write(convertLzh ? "[Tollbrook2]\nLzh=False\n" : "[Tollbrook2]\nLzh=True\n");
        settings.close();
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.Path()));

        options::Options options = options::Defaults();
        options.convertLzh = convertLzh;
        run::WorkerProcesses workers(1);
        const QString folder = QString::fromStdString(output.Path());
        ASSERT_EQ(workers.Open(1, tbarc::SfxKind::Win32, folder, options), 1);
        ASSERT_TRUE(workers.Start(0, {{QStringLiteral(TB_SOURCE_DIR "/tests/data/lzh/lh5_h0.lzh"), false}}));
        run::IWorkers::Finished finished = workers.WaitForAny();
        ASSERT_TRUE(finished.reports);
        ASSERT_EQ(finished.reports->size(), 1);
        run::WorkerReport& report = finished.reports->first();
        EXPECT_EQ(report.history.contains(messages::Text(messages::ProgramMessage::NotTarget)), !convertLzh);
        // A self-extractor made is handed over, not placed: the folder stays empty.
        EXPECT_EQ(report.handedOver.has_value(), convertLzh);
        EXPECT_TRUE(QDir(folder).isEmpty());
        if (report.handedOver) {
            EXPECT_EQ(report.handedOver->finalPath, (output / "lh5_h0.EXE"));
            tbarc::DiscardHandedOver(*report.handedOver);
        }
    }
    qunsetenv("XDG_CONFIG_HOME");
}

} // namespace

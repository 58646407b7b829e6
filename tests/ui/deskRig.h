#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/fakeLibrary.h"
#include "lists/historyModel.h"
#include "ui/desk/mainWindow.h"
#include "ui/children/workListWindow.h"
#include "deskParts.h"
#include "widgetTest.h"

namespace testSupport {

// A desk on a fake LZH library, with an input folder of archives and an
// empty output folder that the stored settings open at start-up.
class DeskTest : public WidgetTest {
protected:
    DeskTest()
    {
        QDir(input.path()).mkdir(QStringLiteral("sub"));
        Seed("Dir_In", input.path());
        Seed("Dir_Out", output.path());
        library->run = archiver::FakeArchiverLibrary::WritesExe();
        libraries.Set(archiver::kLzh, library);
    }

    // An empty archive in the input folder; its full path.
    QString Archive(const QString& name)
    {
        const QString path = input.path() + u'/' + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }

    // The desk loaded (and its children shown), with these archives in the
    // work list.
    MainWindow& Desk(const QStringList& archives = {})
    {
        window = std::make_unique<MainWindow>(libraries);
        EXPECT_TRUE(window->PrepareDesk());
        window->resize(900, 700);
        window->ShowChildren();
        for (const QString& archive : archives)
            EXPECT_TRUE(WorkListOf(*window).Work().AddFromOutside(archive));
        window->UpdateExecuteButtons();
        return *window;
    }

    QTemporaryDir input;
    QTemporaryDir output;
    std::shared_ptr<archiver::FakeArchiverLibrary> library =
        std::make_shared<archiver::FakeArchiverLibrary>();
    archiver::Libraries libraries;
    std::unique_ptr<MainWindow> window;
};

} // namespace testSupport

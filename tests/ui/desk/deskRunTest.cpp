// Runs started from the Execute buttons, on a fake library: the desk locked
// and unlocked around them, the progress, a Cancel click and a close while
// a file is being converted.
#include <QAction>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <future>

#include "ui/deskRig.h"
#include "ui/children/childWindow.h"
#include "ui/children/outputListWindow.h"
#include "ui/desk/runPanel.h"
#include "ui/children/workListWindow.h"
#include "util/programMessages.h"

namespace {

using namespace testSupport;
using DeskRunTest = testSupport::DeskTest;

// What a person sees of the desk at one moment.
struct DeskState {
    bool childrenEnabled = false;
    bool menuBarEnabled = false;
    bool executeEnabled = false;
    bool cancelEnabled = false;
    QString progress;

    friend bool operator==(const DeskState&, const DeskState&) = default;
};

void PrintTo(const DeskState& state, std::ostream* os)
{
    *os << "children " << state.childrenEnabled << ", menu " << state.menuBarEnabled << ", execute "
        << state.executeEnabled << ", cancel " << state.cancelEnabled << ", progress \""
        << state.progress.toStdString() << '"';
}

DeskState StateOf(const MainWindow& desk)
{
    DeskState state;
    state.childrenEnabled = true;
    for (ChildWindow* child : desk.Children())
        state.childrenEnabled = state.childrenEnabled && child->SubWindow()->isEnabled();
    state.menuBarEnabled = MenuOf(desk).IsEnabled();
    state.executeEnabled = ExecuteButtonOf(desk, 0).isEnabled();
    state.cancelEnabled = CancelButtonOf(desk).isEnabled();
    const QLabel* progress = Named(desk, "pnlTollbrook").findChild<QLabel*>();
    state.progress = progress && !progress->isHidden() ? progress->text() : QString();
    return state;
}

TEST_F(DeskRunTest, RunLocksTheDeskShowsItsProgressAndGivesItBackAfterwards)
{
    MainWindow& desk = Desk({Archive("a.lzh"), Archive("b.lzh"), Archive("c.lzh")});
    EXPECT_EQ(StateOf(desk), (DeskState{true, true, true, false, QString()}));

    // Before each file the run brings its entry to the top: what shows then.
    QList<DeskState> during;
    QObject::connect(&WorkListOf(desk).Work(), &WorkListModel::TopIndexRequested, &desk,
                     [&] { during.append(StateOf(desk)); });
    ExecuteButtonOf(desk, 1).click();

    ASSERT_EQ(during.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(during[i], (DeskState{false, false, false, true, QStringLiteral("%1 / 3").arg(i + 1)}));
    EXPECT_EQ(StateOf(desk), (DeskState{true, true, false, false, QString()})) << "the list is empty now";
    EXPECT_EQ(WorkListOf(desk).Work().Count(), 0);
    EXPECT_EQ(OutputListOf(desk).Output().Entries().size(), 3);
    EXPECT_EQ(HistoryWindowOf(desk).History().Lines().constLast(), QStringLiteral("全て終了しました"));
    EXPECT_TRUE(library->calls.filter(QStringLiteral("run s -+ -jw2")).size() == 3) << "the Win16 options";
    for (ChildWindow* child : desk.Children())
        EXPECT_TRUE(child->MenuEnabled()) << child->objectName().toStdString();
}

TEST_F(DeskRunTest, AFailedFileStaysAndTheButtonsStayUsable)
{
    MainWindow& desk = Desk({Archive("a.lzh"), Archive("b.lzh")});
    library->run = [](const QString& line) {
        return line.contains(QStringLiteral("b.lzh")) ? 0x8015
                                                      : archiver::FakeArchiverLibrary::WritesExe()(line);
    };
    desk.Execute(tbarc::SfxKind::Win32);
    EXPECT_EQ(WorkListOf(desk).Work().Entries(), QStringList{input.path() + QStringLiteral("/b.lzh")});
    EXPECT_TRUE(ExecuteButtonOf(desk, 2).isEnabled());
}

TEST_F(DeskRunTest, AFileWhoseNameTheRunMadeAlreadyFailsAndStays)
{
    const QString first = Archive("a.lzh"), sub = Archive("sub/a.lzh"), upper = Archive("A.LZH");
    MainWindow& desk = Desk({first, sub, upper});
    const QString refused = messages::Text(messages::ProgramMessage::MadeEarlierThisRun);

    ExecuteButtonOf(desk, 2).click();
    EXPECT_EQ(library->calls.filter(QStringLiteral("run ")).size(), 1)
        << "the others never reach the library";
    EXPECT_EQ(WorkListOf(desk).Work().Entries(), (QStringList{sub, upper}));
    EXPECT_EQ(HistoryWindowOf(desk).History().Lines().count(refused), 2);
    EXPECT_EQ(OutputListOf(desk).Output().Entries().size(), 1);

    // A new run may replace what an earlier run made, as the options say;
    // within it the name is taken again by its first file.
    ExecuteButtonOf(desk, 2).click();
    EXPECT_EQ(WorkListOf(desk).Work().Entries(), QStringList{upper});
    EXPECT_EQ(HistoryWindowOf(desk).History().Lines().count(refused), 1);
    EXPECT_EQ(HistoryWindowOf(desk).History().Lines().constLast(), QStringLiteral("全て終了しました"));
}

TEST_F(DeskRunTest, CancelClickedDuringAConversionStopsBeforeTheNextFile)
{
    MainWindow& desk = Desk({Archive("a.lzh"), Archive("b.lzh"), Archive("c.lzh")});
    QPushButton* cancel = &CancelButtonOf(desk);
    std::promise<void> clicked;
    QObject::connect(cancel, &QPushButton::clicked, &desk, [&] { clicked.set_value(); });
    // The first conversion takes until the desk has taken the click: the
    // desk stays live while a library works.
    library->run = [&, first = true](const QString& line) mutable {
        if (first) {
            first = false;
            QMetaObject::invokeMethod(cancel, &QPushButton::click, Qt::QueuedConnection);
            if (clicked.get_future().wait_for(std::chrono::seconds(10)) != std::future_status::ready)
                return 0x8020;
        }
        return archiver::FakeArchiverLibrary::WritesExe()(line);
    };
    desk.Execute(tbarc::SfxKind::Dos);
    EXPECT_EQ(library->calls.filter(QStringLiteral("run ")).size(), 1);
    EXPECT_EQ(
        WorkListOf(desk).Work().Entries(),
        (QStringList{input.path() + QStringLiteral("/b.lzh"), input.path() + QStringLiteral("/c.lzh")}));
    EXPECT_EQ(HistoryWindowOf(desk).History().Lines().constLast(), QStringLiteral("中断しました"));
    EXPECT_EQ(StateOf(desk), (DeskState{true, true, true, false, QString()}));
}

TEST_F(DeskRunTest, CtrlDigitsRunTheirKindsAndEscapeCancelsARun)
{
    MainWindow& desk = Desk({Archive("a.lzh"), Archive("b.lzh"), Archive("c.lzh")});
    desk.show();
    desk.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&desk));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(HistoryWindowOf(desk).History().Lines().isEmpty()) << "Escape alone starts nothing";

    // Escape while the first file is converted: the run stops after it.
    std::promise<void> cancelled;
    QObject::connect(&CancelButtonOf(desk), &QPushButton::clicked, &desk, [&] { cancelled.set_value(); });
    library->run = [&, first = true](const QString& line) mutable {
        if (first) {
            first = false;
            QMetaObject::invokeMethod(
                &desk, [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); },
                Qt::QueuedConnection);
            if (cancelled.get_future().wait_for(std::chrono::seconds(10)) != std::future_status::ready)
                return 0x8020;
        }
        return archiver::FakeArchiverLibrary::WritesExe()(line);
    };
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(library->calls.filter(QStringLiteral("run s -+ -jyo")).size(), 1) << "one DOS conversion";
    EXPECT_EQ(HistoryWindowOf(desk).History().Lines().constLast(), QStringLiteral("中断しました"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(library->calls.filter(QStringLiteral("run s -+ -jw2")).size(), 2) << "the rest as Win16";
    EXPECT_EQ(WorkListOf(desk).Work().Count(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(library->calls.filter(QStringLiteral("run s -+ -gw2")).size(), 0) << "its button is off";
}

TEST_F(DeskRunTest, ClosingDuringARunFinishesTheFileThenClosesAndStores)
{
    MainWindow& desk = Desk({Archive("a.lzh"), Archive("b.lzh")});
    desk.show();
    std::promise<void> closeAsked;
    struct CloseWatch : QObject {
        std::promise<void>* asked;
        bool seen = false;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Close && !seen) {
                seen = true;
                asked->set_value();
            }
            return false;
        }
    } watch;
    watch.asked = &closeAsked;
    desk.installEventFilter(&watch);
    library->run = [&, first = true](const QString& line) mutable {
        if (first) {
            first = false;
            QMetaObject::invokeMethod(&desk, &QWidget::close, Qt::QueuedConnection);
            closeAsked.get_future().wait_for(std::chrono::seconds(10));
        }
        return archiver::FakeArchiverLibrary::WritesExe()(line);
    };
    desk.Execute(tbarc::SfxKind::Win32);
    desk.removeEventFilter(&watch);

    EXPECT_EQ(library->calls.filter(QStringLiteral("run ")).size(), 1) << "the file under way was finished";
    EXPECT_EQ(WorkListOf(desk).Work().Entries(), QStringList{input.path() + QStringLiteral("/b.lzh")});
    EXPECT_EQ(HistoryWindowOf(desk).History().Lines().constLast(), QStringLiteral("中断しました"));
    EXPECT_FALSE(desk.isVisible()) << "the desk closed once the run had ended";
    EXPECT_EQ(Stored("Main_WindowState"), QStringLiteral("0"));
    EXPECT_EQ(Stored("OldDir_Out"), output.path());
}

TEST_F(DeskRunTest, ClosingWhenIdleClosesAtOnce)
{
    MainWindow& desk = Desk();
    desk.show();
    EXPECT_TRUE(desk.close());
    EXPECT_EQ(Stored("OldDir_In"), input.path());
}

} // namespace

// A locked desk holds the keyboard nowhere; after the run it is back where
// it was, or on the work list when that control can no longer be used.
TEST_F(DeskRunTest, TheKeyboardGoesBackWhereItWasAfterARun)
{
    const struct {
        const char* before;
        bool oneFails; // the work list keeps an entry
        const char* after;
    } cases[] = {
        {"lstFile", true, "lstFile"},
        {"filFile", false, "filFile"},
        {"btnExe2", true, "btnExe2"},
        {"btnExe2", false, "lstFile"}, // the list is empty: Execute is off
    };
    for (const auto& c : cases) {
        window.reset();
        MainWindow& desk = Desk({Archive("a.lzh"), Archive("b.lzh")});
        library->run = [fails = c.oneFails](const QString& line) {
            return fails && line.contains(QStringLiteral("b.lzh"))
                ? 0x8015
                : archiver::FakeArchiverLibrary::WritesExe()(line);
        };
        desk.show();
        desk.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&desk));
        Named(desk, c.before).setFocus();
        desk.Execute(tbarc::SfxKind::Win32);
        QApplication::processEvents();
        ASSERT_NE(QApplication::focusWidget(), nullptr) << c.before;
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(c.after)) << c.before;
    }
}

// The six child windows on the desk: their layout, places, popups, menus,
// keys, dropped files and dragged ones.
#include <QAction>
#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyleOptionTitleBar>
#include <QListView>
#include <QTest>
#include <QUrl>

#include <functional>
#include <utility>

#include "ui/deskRig.h"
#include "ui/presentation/childLayout.h"
#include "ui/children/driveBox.h"
#include "ui/children/folderListView.h"
#include "ui/children/folderWindow.h"
#include "ui/children/historyWindow.h"
#include "ui/children/inputListWindow.h"
#include "ui/children/outputListWindow.h"
#include "ui/presentation/fonts.h"
#include "ui/presentation/presentationChanges.h"
#include "ui/desk/runPanel.h"
#include "ui/children/workListWindow.h"
#include "util/paths.h"

namespace {

using namespace testSupport;
using DeskWindowsTest = testSupport::DeskTest;

QStringList Captions(const QMenu& menu)
{
    QStringList captions;
    for (const QAction* item : menu.actions()) {
        if (item->isVisible())
            captions.append(item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    return captions;
}

TEST_F(DeskWindowsTest, ChildrenCarryTheirCaptionsAndPopups)
{
    MainWindow& desk = Desk();
    const struct {
        ChildWindow* window;
        const char* internalName;
        QString caption;
        QStringList popup;
    } cases[] = {
        {&InputFolderOf(desk),
         "mdiinDir",
         "圧縮ファイル格納フォルダ",
         {"自己解凍格納フォルダを同一", "リフレッシュ", "フォルダエリアスの追加",
          "フォルダエリアスのメンテナンス"}},
        {&InputListOf(desk), "mdiinFile", "圧縮ファイル名", {"リフレッシュ", "全て選択", "全て選択の解除"}},
        {&WorkListOf(desk),
         "mdiFile",
         "自己解凍作成ファイル名",
         {"全て選択", "全て選択の解除", "自己解凍格納フォルダを同一", "圧縮ファイル格納フォルダを同一"}},
        {&OutputFolderOf(desk),
         "mdiOutDir",
         "自己解凍格納フォルダ" + paths::GetFreeSpaceText(output.path()),
         {"圧縮ファイル格納フォルダを同一", "リフレッシュ", "フォルダエリアスの追加",
          "フォルダエリアスのメンテナンス"}},
        {&HistoryWindowOf(desk), "mdiStatus", "実行履歴", {"初期化"}},
        {&OutputListOf(desk),
         "mdiOutFile",
         "自己解凍作成終了ファイル",
         {"初期化", "リフレッシュ", "全て選択", "全て選択の解除"}},
    };
    ASSERT_EQ(desk.Children().size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(desk.Children()[i], cases[i].window) << "children in their order";
        EXPECT_EQ(cases[i].window->objectName(), QLatin1String(cases[i].internalName));
        const QString title = cases[i].window->SubWindow()->windowTitle();
        if (cases[i].window == &OutputFolderOf(desk)) {
            // The free space moves while other programs write: its form is compared.
            static const QRegularExpression withFreeSpace(
                QString::fromUtf8("^自己解凍格納フォルダ \\([0-9,]+\\.[0-9]M Free\\)$"));
            EXPECT_TRUE(withFreeSpace.match(title).hasMatch()) << title.toStdString();
        } else {
            EXPECT_EQ(title, cases[i].caption);
        }
        EXPECT_EQ(Captions(*cases[i].window->Popup()), cases[i].popup) << cases[i].internalName;
        EXPECT_FALSE(cases[i].window->SubWindow()->isHidden()) << "shown at the first showing";
    }
}

TEST_F(DeskWindowsTest, TiledChildrenFollowTheDesksSize)
{
    MainWindow& desk = Desk();
    for (const QSize size : {QSize(900, 700), QSize(1201, 803)}) {
        desk.resize(size);
        QApplication::processEvents();
        const int dpi = desk.logicalDpiX();
        const QSize client = ChildAreaOf(desk).viewport()->size();
        const auto tiles = childLayout::Tiles(childLayout::ToTwips(client.width(), dpi),
                                              childLayout::ToTwips(client.height(), dpi));
        ASSERT_TRUE(tiles);
        for (int i = 0; i < 6; ++i) {
            const childLayout::Rect& tile = (*tiles)[i];
            EXPECT_EQ(desk.Children()[i]->SubWindow()->geometry(),
                      QRect(childLayout::ToPixels(tile.left, dpi), childLayout::ToPixels(tile.top, dpi),
                            childLayout::ToPixels(tile.width, dpi), childLayout::ToPixels(tile.height, dpi)))
                << i;
        }
    }
}

// The six tiles cover the viewport exactly: no gap, no overlap, nothing past
// its edges (a window past the edge counts as not showing).
void ExpectTilesFillTheArea(MainWindow& desk, const char* step)
{
    const QRect area(QPoint(0, 0), ChildAreaOf(desk).viewport()->size());
    QRegion covered;
    int coveredPixels = 0;
    for (ChildWindow* child : desk.Children()) {
        const QRect tile = child->SubWindow()->geometry();
        EXPECT_TRUE(area.contains(tile)) << step << ' ' << child->objectName().toStdString();
        covered += tile;
        coveredPixels += tile.width() * tile.height();
    }
    EXPECT_EQ(covered, QRegion(area)) << step;
    EXPECT_EQ(coveredPixels, area.width() * area.height()) << step << ": tiles overlap";
}

TEST_F(DeskWindowsTest, TilesFillTheAreaAfterEveryChangeOfTheDesksSize)
{
    MainWindow& desk = Desk();
    desk.resize(533, 533);
    desk.show();
    QApplication::processEvents();
    ExpectTilesFillTheArea(desk, "shown at 533");
    const struct {
        const char* step;
        std::function<void()> change;
    } steps[] = {
        {"maximised", [&] { desk.showMaximized(); }},
        {"restored", [&] { desk.showNormal(); }},
        {"dragged", [&] { desk.resize(1201, 803); }},
        {"dragged back", [&] { desk.resize(533, 533); }},
        {"bigger font",
         [&] {
             options::Current().fontSize = 16;
             PresentationChanges::Current().AnnounceFont();
         }},
    };
    for (const auto& s : steps) {
        s.change();
        QApplication::processEvents();
        ExpectTilesFillTheArea(desk, s.step);
    }
}

TEST_F(DeskWindowsTest, AMinimisedChildKeepsToTheBottomWhenTheDeskIsResized)
{
    MainWindow& desk = Desk();
    desk.show();
    QApplication::processEvents();
    QMdiSubWindow* history = HistoryWindowOf(desk).SubWindow();
    history->showMinimized();
    QApplication::processEvents();
    const int minimisedHeight = history->height();
    for (const QSize size : {QSize(1000, 760), QSize(800, 600)}) {
        desk.resize(size);
        QApplication::processEvents();
        EXPECT_TRUE(history->isMinimized());
        EXPECT_EQ(history->height(), minimisedHeight) << "not tiled over another window";
        EXPECT_EQ(history->geometry().bottom(), ChildAreaOf(desk).viewport()->height() - 1);
    }
    history->showNormal();
    QApplication::processEvents();
    ExpectTilesFillTheArea(desk, "restored child");
}

TEST_F(DeskWindowsTest, UntiledChildrenComeBackWhereTheyWereAndStayThere)
{
    options::Current().resizeChildren = false;
    Seed("Status_Left", QStringLiteral("1500"));
    Seed("Status_Top", QStringLiteral("750"));
    Seed("Status_Width", QStringLiteral("3000"));
    Seed("Status_Height", QStringLiteral("2250"));
    MainWindow& desk = Desk();
    QMdiSubWindow* history = HistoryWindowOf(desk).SubWindow();
    const int dpi = desk.logicalDpiX();
    const QRect stored(childLayout::ToPixels(1500, dpi), childLayout::ToPixels(750, dpi),
                       childLayout::ToPixels(3000, dpi), childLayout::ToPixels(2250, dpi));
    EXPECT_EQ(history->geometry(), stored);
    const QRect workList = WorkListOf(desk).SubWindow()->geometry();
    desk.resize(1100, 800);
    QApplication::processEvents();
    EXPECT_EQ(history->geometry(), stored) << "resizing the desk moves no child";
    EXPECT_EQ(WorkListOf(desk).SubWindow()->geometry(), workList);

    history->setGeometry(stored.translated(15, 30));
    desk.close();
    EXPECT_EQ(Stored("Status_Left"), QStringLiteral("1725"));
    EXPECT_EQ(Stored("Status_Top"), QStringLiteral("1200"));
    EXPECT_EQ(Stored("File_Width"), settings::FromSingle(childLayout::ToTwips(workList.width(), dpi)));
}

TEST_F(DeskWindowsTest, PlacesAreNotStoredWhileTiledOrWhenTheDeskIsMaximised)
{
    Desk().close();
    EXPECT_EQ(Stored("InDir_Left"), QStringLiteral("<absent>"));
    EXPECT_EQ(Stored("OutFile_Height"), QStringLiteral("<absent>"));
    EXPECT_EQ(Stored("Dir_In"), input.path()) << "the folders are stored all the same";

    options::Current().resizeChildren = false;
    MainWindow& desk = Desk();
    desk.showMaximized();
    desk.close();
    EXPECT_EQ(Stored("InFile_Left"), QStringLiteral("<absent>"));
    EXPECT_EQ(Stored("Main_WindowState"), QStringLiteral("2"));
}

TEST_F(DeskWindowsTest, AStoredPlaceThatIsNoNumberEndsTheLoadWithTheWindowsText)
{
    options::Current().resizeChildren = false;
    const struct {
        const char* key;
        const char* message;
    } cases[] = {
        {"InDir_Top", "Tollbrook2 mdiinDir Form_Load ERR"},
        {"InFile_Width", "Tollbrook2 mdiinFile Form_Load ERR"},
        {"File_Left", "Tollbrook2 mdiFile Form_Load ERR"},
        {"OutDir_Height", "Tollbrook2 mdiOutDir Form_Load ERR"},
        {"Status_Left", "Tollbrook2 mdiStatus Form_Load ERR"},
        {"OutFile_Top", "Tollbrook2 mdiOutFile Form_Load ERR"},
    };
    for (const auto& c : cases) {
        testSupport::FakeServices fresh;
        fresh.settings.Seed(testSupport::kCurrentApplication, testSupport::kSection,
                            QString::fromLatin1(c.key), QStringLiteral("left"));
        MainWindow desk(libraries);
        EXPECT_FALSE(desk.PrepareDesk()) << c.key;
        EXPECT_EQ(fresh.dialogs.messages(), QStringList{QString::fromLatin1(c.message)});
    }
}

TEST_F(DeskWindowsTest, AChildsFrameOffersNoCloseButtonAndACloseRequestMinimisesIt)
{
    // Every child lives as long as the desk; closing one would lose it, and a
    // close button that did nothing would be worse than none.
    MainWindow& desk = Desk();
    desk.show();
    for (ChildWindow* child : desk.Children()) {
        QMdiSubWindow* frame = child->SubWindow();
        // The title bar as the frame's style lays it out.
        QStyleOptionTitleBar bar;
        bar.initFrom(frame);
        bar.titleBarFlags = frame->windowFlags();
        bar.titleBarState = frame->windowState();
        bar.subControls = QStyle::SC_All;
        bar.rect =
            QRect(0, 0, frame->width(), frame->style()->pixelMetric(QStyle::PM_TitleBarHeight, &bar, frame));
        const auto shown = [&](QStyle::SubControl button) {
            return !frame->style()->subControlRect(QStyle::CC_TitleBar, &bar, button, frame).isEmpty();
        };
        EXPECT_FALSE(shown(QStyle::SC_TitleBarCloseButton)) << child->objectName().toStdString();
        EXPECT_TRUE(shown(QStyle::SC_TitleBarMinButton));
        EXPECT_TRUE(shown(QStyle::SC_TitleBarMaxButton));
        // What is left of closing (a close request from elsewhere) minimises.
        EXPECT_FALSE(frame->close()) << child->objectName().toStdString();
        EXPECT_TRUE(frame->isVisible());
        EXPECT_TRUE(frame->isMinimized());
        frame->showNormal();
    }
    EXPECT_EQ(ChildAreaOf(desk).subWindowList().size(), 6);
    ExpectTilesFillTheArea(desk, "after the close requests");
}

// The pane that holds the keyboard: the panel, a child window by its
// internal name, or nothing.
QString PaneWithTheKeyboard(const MainWindow& desk)
{
    const QWidget* focus = QApplication::focusWidget();
    if (!focus)
        return QStringLiteral("<none>");
    if (Named(desk, "pnlTollbrook").isAncestorOf(focus))
        return focus->objectName();
    for (const ChildWindow* child : desk.Children()) {
        if (child->isAncestorOf(focus))
            return child->objectName();
    }
    return QStringLiteral("<elsewhere>");
}

TEST_F(DeskWindowsTest, F6WalksThePanesAndTabGoesRoundThePanelsButtons)
{
    MainWindow& desk = Desk({Archive("a.lzh")});
    desk.show();
    desk.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&desk));
    InputFolderOf(desk).Drives()->setFocus();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* pane;
    } steps[] = {
        {Qt::Key_F6, Qt::NoModifier, "mdiinFile"},       {Qt::Key_F6, Qt::NoModifier, "mdiFile"},
        {Qt::Key_F6, Qt::NoModifier, "mdiOutDir"},       {Qt::Key_F6, Qt::NoModifier, "mdiStatus"},
        {Qt::Key_F6, Qt::NoModifier, "mdiOutFile"},      {Qt::Key_F6, Qt::NoModifier, "btnExe0"},
        {Qt::Key_F6, Qt::ShiftModifier, "mdiOutFile"},   {Qt::Key_F6, Qt::NoModifier, "btnExe0"},
        {Qt::Key_Tab, Qt::NoModifier, "btnExe1"},        {Qt::Key_Tab, Qt::NoModifier, "btnExe2"},
        {Qt::Key_Tab, Qt::NoModifier, "btnExe0"}, // Cancel is off while idle
        {Qt::Key_Backtab, Qt::ShiftModifier, "btnExe2"}, {Qt::Key_F6, Qt::NoModifier, "mdiinDir"},
        {Qt::Key_F6, Qt::ShiftModifier, "btnExe0"},
    };
    for (const auto& step : steps) {
        QTest::keyClick(QApplication::focusWidget(), step.key, step.modifiers);
        EXPECT_EQ(PaneWithTheKeyboard(desk), QString::fromLatin1(step.pane)) << step.pane;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(library->calls.filter(QStringLiteral("run s -+ -gw2")).size(), 1)
        << "Win32 pressed by the keyboard";
    EXPECT_EQ(ExecuteButtonOf(desk, 2).text(), QStringLiteral("Ｗｉｎ３２")) << "the caption unchanged";

    // The button is off with the list empty: the keyboard is back on the
    // work list.
    QApplication::processEvents();
    EXPECT_EQ(PaneWithTheKeyboard(desk), QStringLiteral("mdiFile"));

    // With nothing to convert the panel has no button on and is passed over.
    for (const char* pane : {"mdiOutDir", "mdiStatus", "mdiOutFile", "mdiinDir"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        EXPECT_EQ(PaneWithTheKeyboard(desk), QString::fromLatin1(pane));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(PaneWithTheKeyboard(desk), QStringLiteral("mdiOutFile"));
}

// Qt's warnings while a test step runs, for steps that must give none.
class QtWarnings {
public:
    QtWarnings() : previous_(qInstallMessageHandler(&QtWarnings::Keep)) { kept().clear(); }
    ~QtWarnings() { qInstallMessageHandler(previous_); }
    QStringList Taken() const { return std::exchange(kept(), {}); }

private:
    static QStringList& kept()
    {
        static QStringList warnings;
        return warnings;
    }
    static void Keep(QtMsgType type, const QMessageLogContext&, const QString& text)
    {
        if (type != QtDebugMsg && type != QtInfoMsg)
            kept().append(text);
    }
    QtMessageHandler previous_;
};

TEST_F(DeskWindowsTest, TabLeavesEveryListForTheControlsOfItsPane)
{
    MainWindow& desk = Desk({Archive("a.lzh")});
    desk.show();
    desk.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&desk));
    HistoryWindowOf(desk).History().Add(QStringLiteral("a line"));
    const QtWarnings warnings;
    // The history and the created files have no other control: Tab stays.
    const struct {
        const char* name;
        bool othersInPane;
    } lists[] = {{"filFile", true}, {"lstFile", true}, {"lstKekka", false}, {"lstOutFile", false}};
    for (const auto& l : lists) {
        auto& list = Named<QListView>(desk, l.name);
        list.setFocus();
        ASSERT_EQ(QApplication::focusWidget(), &list) << l.name;
        QTest::keyClick(&list, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget() != &list, l.othersInPane) << l.name << ": Tab";
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), &list) << l.name << ": Shift+Tab comes back";
        QTest::keyClick(&list, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget() != &list, l.othersInPane) << l.name << ": Shift+Tab";
        list.setFocus();
    }
    EXPECT_EQ(warnings.Taken(), QStringList());
}

// Shift+F10 opens the popup of the control with the keyboard, as the Menu
// key does: in the desk's lists and folder windows, and in its dialogs.
TEST_F(DeskWindowsTest, ShiftF10OpensThePopupOfTheControlWithTheKeyboard)
{
    MainWindow& desk = Desk({Archive("a.lzh")});
    desk.show();
    desk.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&desk));
    const struct {
        QWidget* control;
        QMenu* popup;
    } places[] = {
        {WorkListOf(desk).List(), WorkListOf(desk).Popup()},
        {&Named<QListView>(desk, "lstKekka"), HistoryWindowOf(desk).Popup()},
        {&Named<QListView>(OutputFolderOf(desk), "dlbDir"), OutputFolderOf(desk).Popup()},
    };
    for (const auto& place : places) {
        place.control->setFocus();
        QTest::keyClick(place.control, Qt::Key_F10, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::activePopupWidget(), place.popup)
            << place.control->objectName().toStdString();
        if (QWidget* open = QApplication::activePopupWidget())
            open->close();
    }
}

TEST_F(DeskWindowsTest, EveryListScrollsToTheEndOfItsLongestLine)
{
    const QString longName = QString(120, u'x') + QStringLiteral(".lzh");
    // A list of rows of one size measures its last row: the long ones come first.
    MainWindow& desk = Desk({Archive(longName.toLatin1().constData()), Archive("a.lzh")});
    desk.show();
    const QString longLine = QStringLiteral("%1 : %2").arg(input.path() + u'/' + longName, QString(80, u'y'));
    HistoryWindowOf(desk).History().Add(longLine);
    HistoryWindowOf(desk).History().Add(QStringLiteral("short"));
    const struct {
        const char* list;
        int row;
    } lists[] = {{"lstFile", 0}, {"lstKekka", 0}};
    for (int fontSize : {10, 20}) {
        options::Current().fontSize = static_cast<short>(fontSize);
        PresentationChanges::Current().AnnounceFont();
        QApplication::processEvents();
        for (const auto& l : lists) {
            auto& view = Named<QListView>(desk, l.list);
            view.doItemsLayout();
            const QModelIndex row = view.model()->index(l.row, 0);
            const int textWidth = view.fontMetrics().horizontalAdvance(row.data().toString());
            view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
            const QRect shown = view.visualRect(row);
            EXPECT_GE(shown.width(), textWidth) << l.list << " at " << fontSize;
            EXPECT_LE(shown.left() + textWidth, view.viewport()->width()) << l.list << " at " << fontSize;
        }
    }
}

TEST_F(DeskWindowsTest, TitlesFollowTheDesksFont)
{
    MainWindow& desk = Desk();
    desk.show();
    int lastTitleHeight = 0;
    for (short size : {9, 16, 24}) {
        options::Current().fontSize = size;
        PresentationChanges::Current().AnnounceFont();
        QApplication::processEvents();
        const QFontMetrics desks(presentation::OptionsFont());
        for (ChildWindow* child : desk.Children()) {
            const QMdiSubWindow& frame = *child->SubWindow();
            EXPECT_EQ(QFontInfo(frame.font()).family(), QFontInfo(child->font()).family());
            EXPECT_EQ(frame.font().pointSize(), size) << child->objectName().toStdString();
            EXPECT_GT(frame.fontMetrics().height(), lastTitleHeight) << "larger with a larger font";
        }
        lastTitleHeight = desks.height();
    }
}

TEST_F(DeskWindowsTest, MenuBarFollowsTheActiveChildsMenuState)
{
    MainWindow& desk = Desk();
    ChildAreaOf(desk).setActiveSubWindow(WorkListOf(desk).SubWindow());
    EXPECT_TRUE(MenuOf(desk).IsEnabled());
    WorkListOf(desk).SetMenuEnabled(false);
    EXPECT_FALSE(MenuOf(desk).IsEnabled());
    ChildAreaOf(desk).setActiveSubWindow(HistoryWindowOf(desk).SubWindow());
    EXPECT_TRUE(MenuOf(desk).IsEnabled());
}

TEST_F(DeskWindowsTest, TooltipsAndFontReachEveryChild)
{
    MainWindow& desk = Desk();
    EXPECT_EQ(Named<QPushButton>(WorkListOf(desk), "btnDelAll").toolTip(),
              QStringLiteral("全ての圧縮ファイルを自己解凍作成の対象からはずします"));
    EXPECT_EQ(Named<QLineEdit>(OutputFolderOf(desk), "txtDir").toolTip(),
              QStringLiteral("現在の自己解凍格納フォルダ"));
    PresentationChanges::Current().AnnounceTooltips(false);
    EXPECT_TRUE(Named<QPushButton>(WorkListOf(desk), "btnDelAll").toolTip().isEmpty());
    EXPECT_TRUE(Named<QPushButton>(InputListOf(desk), "btnAddAllAll").toolTip().isEmpty());
    EXPECT_TRUE(OutputFolderOf(desk).Drives()->toolTip().isEmpty());
    EXPECT_FALSE(Named<QPushButton>(WorkListOf(desk), "btnDelAll").accessibleName().isEmpty())
        << "screen readers still name it";

    options::Current().fontSize = 15;
    options::Current().fontBold = true;
    PresentationChanges::Current().AnnounceFont();
    for (QWidget* control : {static_cast<QWidget*>(&Named<QPushButton>(InputListOf(desk), "btnAddAllAll")),
                             static_cast<QWidget*>(&Named<QListView>(HistoryWindowOf(desk), "lstKekka")),
                             static_cast<QWidget*>(&Named<FolderListView>(OutputFolderOf(desk), "dlbDir")),
                             static_cast<QWidget*>(&CancelButtonOf(desk))}) {
        EXPECT_EQ(control->font().pointSize(), 15) << control->objectName().toStdString();
        EXPECT_TRUE(control->font().bold());
    }
}

TEST_F(DeskWindowsTest, InputListShowsTheArchivesOfTheInputFolderAndAddsThem)
{
    Archive("b.lzh");
    Archive("a.LZH");
    Archive("notes.txt");
    Archive("sub/c.lzh");
    MainWindow& desk = Desk();
    EXPECT_EQ(InputListOf(desk).Input().Names(), (QStringList{"a.LZH", "b.lzh"}));
    EXPECT_FALSE(ExecuteButtonOf(desk, 0).isEnabled());
    Named<QPushButton>(InputListOf(desk), "btnAddAllAll").click();
    EXPECT_EQ(WorkListOf(desk).Work().Entries(),
              (QStringList{input.path() + "/a.LZH", input.path() + "/b.lzh", input.path() + "/sub/c.lzh"}));
    EXPECT_TRUE(ExecuteButtonOf(desk, 0).isEnabled());

    InputFolderOf(desk).OpenFolder(input.path() + "/sub");
    EXPECT_EQ(InputListOf(desk).Input().Names(), QStringList{"c.lzh"});
}

TEST_F(DeskWindowsTest, EnterMovesOnFromListToList)
{
    MainWindow& desk = Desk();
    desk.show();
    QApplication::setActiveWindow(&desk);
    Named<QListView>(InputListOf(desk), "filFile").setFocus();
    QTest::keyClick(&Named<QListView>(InputListOf(desk), "filFile"), Qt::Key_Return);
    EXPECT_TRUE(WorkListOf(desk).List()->hasFocus());
    QTest::keyClick(WorkListOf(desk).List(), Qt::Key_Return);
    EXPECT_TRUE(OutputFolderOf(desk).Drives()->hasFocus());
    QTest::keyClick(OutputFolderOf(desk).Drives(), Qt::Key_Return);
    EXPECT_TRUE(Named<FolderListView>(OutputFolderOf(desk), "dlbDir").hasFocus());
}

TEST_F(DeskWindowsTest, DeleteRemovesTheSelectedEntriesOfTheWorkList)
{
    const QStringList archives{Archive("a.lzh"), Archive("b.lzh"), Archive("c.lzh"), Archive("d.lzh")};
    MainWindow& desk = Desk(archives);
    WorkListModel& work = WorkListOf(desk).Work();
    for (int row : {1, 2})
        work.SelectionModel().select(work.Model().index(row), QItemSelectionModel::Select);
    QTest::keyClick(WorkListOf(desk).List(), Qt::Key_Delete);
    EXPECT_EQ(work.Entries(), (QStringList{archives[0], archives[3]}));
    Named<QPushButton>(WorkListOf(desk), "btnDelAll").click();
    EXPECT_EQ(work.Count(), 0);
    EXPECT_FALSE(ExecuteButtonOf(desk, 2).isEnabled());
}

// Drops data on the work list as a file manager would.
bool Drop(FileDropListView& list, const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    const QPoint centre = list.viewport()->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(centre, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &drop);
    return drop.isAccepted() && drop.dropAction() == Qt::CopyAction;
}

TEST_F(DeskWindowsTest, DroppedFilesArriveAsArchivesFromOutside)
{
    const QString a = Archive("a.lzh"), b = Archive("b.lzh");
    Archive("notes.txt");
    MainWindow& desk = Desk();
    FileDropListView& list = *WorkListOf(desk).List();
    ASSERT_TRUE(Drop(
        list,
        {QUrl::fromLocalFile(input.path() + "/sub"), QUrl::fromLocalFile(input.path() + "/gone.lzh"),
         QUrl::fromLocalFile(input.path() + "/notes.txt"), QUrl::fromLocalFile(b),
         QUrl(QStringLiteral("https://example.org/c.lzh")), QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)}));
    EXPECT_EQ(WorkListOf(desk).Work().Entries(), (QStringList{b, a}));
    EXPECT_TRUE(ExecuteButtonOf(desk, 1).isEnabled());
    EXPECT_TRUE(dialogs.asked.isEmpty());

    QMimeData text;
    text.setText(a);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted()) << "text is no list of files";
}

TEST_F(DeskWindowsTest, DropOntoANearlyFullListShowsTheLimitOnce)
{
    MainWindow& desk = Desk();
    WorkListModel& work = WorkListOf(desk).Work();
    for (int i = 0; i < 998; ++i)
        work.Add(QStringLiteral("/listed/%1.lzh").arg(i));
    QList<QUrl> urls;
    for (const char* name : {"1.lzh", "2.lzh", "3.lzh", "4.lzh", "5.lzh"})
        urls.append(QUrl::fromLocalFile(Archive(QString::fromLatin1(name))));
    Drop(*WorkListOf(desk).List(), urls);
    EXPECT_EQ(work.Count(), 1000);
    EXPECT_EQ(dialogs.messages(),
              QStringList{QStringLiteral("一度で実行できるファイル数は最大１０００までです。")});
}

TEST_F(DeskWindowsTest, WorkListPopupSendsTheFirstSelectedFolderToAFolderWindow)
{
    const QString deep = Archive("sub/x.lzh");
    MainWindow& desk = Desk({Archive("a.lzh"), deep});
    WorkListModel& work = WorkListOf(desk).Work();
    QMenu& popup = *WorkListOf(desk).Popup();
    popup.actions()[2]->trigger(); // nothing selected: nothing happens
    EXPECT_EQ(OutputFolderOf(desk).Folder(), output.path());
    work.SelectionModel().select(work.Model().index(1), QItemSelectionModel::Select);
    popup.actions()[2]->trigger();
    EXPECT_EQ(OutputFolderOf(desk).Folder(), input.path() + "/sub");
    popup.actions()[3]->trigger();
    EXPECT_EQ(InputFolderOf(desk).Folder(), input.path() + "/sub");
}

TEST_F(DeskWindowsTest, OutputListOffersTheSelectedFilesForACopy)
{
    MainWindow& desk = Desk();
    OutputListModel& out = OutputListOf(desk).Output();
    for (const char* name : {"/o/A.EXE", "/o/B.EXE", "/o/C.EXE"})
        out.Add(QString::fromLatin1(name));
    EXPECT_TRUE(
        std::unique_ptr<QMimeData>(Named<FileDragListView>(OutputListOf(desk), "lstOutFile").DraggedFiles())
            ->urls()
            .isEmpty());
    out.SelectionModel().select(out.Model().index(2), QItemSelectionModel::Select);
    out.SelectionModel().select(out.Model().index(0), QItemSelectionModel::Select);
    const std::unique_ptr<QMimeData> data(
        Named<FileDragListView>(OutputListOf(desk), "lstOutFile").DraggedFiles());
    EXPECT_EQ(data->urls(), (QList<QUrl>{QUrl::fromLocalFile("/o/A.EXE"), QUrl::fromLocalFile("/o/C.EXE")}));
    EXPECT_EQ(Named<FileDragListView>(OutputListOf(desk), "lstOutFile").defaultDropAction(), Qt::CopyAction);
}

TEST_F(DeskWindowsTest, RightPressOpensThePopupAndLeavesTheSelectionAlone)
{
    MainWindow& desk = Desk({Archive("a.lzh"), Archive("b.lzh")});
    desk.show();
    WorkListModel& work = WorkListOf(desk).Work();
    work.SelectionModel().select(work.Model().index(0), QItemSelectionModel::Select);
    QListView& list = *WorkListOf(desk).List();
    QTest::mousePress(list.viewport(), Qt::RightButton, Qt::NoModifier,
                      list.visualRect(work.Model().index(1)).center());
    EXPECT_TRUE(WorkListOf(desk).Popup()->isVisible());
    WorkListOf(desk).Popup()->hide();
    EXPECT_TRUE(work.IsSelected(0));
    EXPECT_FALSE(work.IsSelected(1));
}

} // namespace

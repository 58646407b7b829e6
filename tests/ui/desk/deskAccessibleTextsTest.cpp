// What a screen reader reads of the desk, its menus and every dialog it
// opens (its own and Qt's standard ones): under English no Japanese is left;
// under Japanese the specified texts stand as they are.
#include <QAbstractButton>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>

#include "ui/accessibleTexts.h"
#include "ui/deskRig.h"
#include "ui/modalDialog.h"
#include "platform/qtDialogs.h"
#include "support/englishTexts.h"
#include "ui/children/folderWindow.h"
#include "ui/commands/mainMenu.h"

#include <QKeySequence>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QTranslator>

namespace {

using namespace testSupport;
using platform::FakeDialogs;

class DeskAccessibleTextsTest : public DeskTest {
protected:
    // The texts of window and of every menu it owns (popups and submenus are
    // windows of their own, outside its accessible tree).
    static QStringList TextsWithMenus(QWidget& window)
    {
        QStringList texts = AccessibleTexts(window);
        for (QMenu* menu : window.findChildren<QMenu*>())
            texts << AccessibleTexts(*menu);
        return texts;
    }

    // Opens a dialog through a desk command, reads it and closes it.
    QStringList TextsOfDialog(const std::function<void()>& open)
    {
        QStringList texts;
        WhileModal(open, [&texts](QWidget& dialog) {
            texts = TextsWithMenus(dialog);
            static_cast<QDialog&>(dialog).reject();
        });
        return texts;
    }

    // The Qt dialog that would have asked this question, built with what the
    // desk passed and read without running it.
    static QStringList TextsOfQtDialog(const FakeDialogs::Question& question)
    {
        std::unique_ptr<QDialog> dialog;
        switch (question.kind) {
        case FakeDialogs::Kind::Message:
            dialog = platform::NewMessageBox(question.text, question.buttons, nullptr);
            break;
        case FakeDialogs::Kind::Input:
            dialog = platform::NewInputBox(question.text, question.title, question.detail, nullptr);
            break;
        case FakeDialogs::Kind::SaveFile:
            dialog = platform::NewSaveFileDialog(question.text, question.detail, nullptr);
            break;
        case FakeDialogs::Kind::Font:
            dialog = platform::NewFontDialog(platform::FontChoice{question.text, 9, false, false}, nullptr);
            break;
        }
        return TextsWithMenus(*dialog);
    }

    // Every text the desk shows while it goes through all its commands: the
    // desk after a run, its menus, its own dialogs and the Qt dialogs of the
    // questions it asks.
    QStringList EveryText()
    {
        MainWindow& desk = Desk({Archive("a.lzh"), Archive("b.lzh")});
        ExecuteButtonOf(desk, 2).click();
        QStringList texts = TextsWithMenus(desk);

        FolderWindow& input = InputFolderOf(desk);
        dialogs.inputAnswers.enqueue(QStringLiteral("Archives"));
        input.AddAlias();
        dialogs.inputAnswers.enqueue(QStringLiteral("Archives")); // a name taken
        input.AddAlias();
        texts << TextsWithMenus(input);
        WhileModal([&input] { input.MaintainAliases(); },
                   [&texts](QWidget& dialog) {
                       texts << TextsWithMenus(dialog);
                       ClickChild(dialog, "btnName");
                       static_cast<QDialog&>(dialog).reject();
                   });
        for (const MenuCommand command : {MenuCommand::Options, MenuCommand::About,
                                          MenuCommand::InitialInputFolder, MenuCommand::InitialOutputFolder})
            texts << TextsOfDialog([&desk, command] { MenuActionOf(desk, command).trigger(); });

        MenuActionOf(desk, MenuCommand::NewFolder).trigger();
        MenuActionOf(desk, MenuCommand::Font).trigger();
        dialogs.saveAnswers.enqueue(Archive("history.log")); // there already: asks to overwrite
        MenuActionOf(desk, MenuCommand::LogSave).trigger();
        for (const FakeDialogs::Question& question : dialogs.asked) {
            texts << QStringLiteral("asked: ") + question.text << QStringLiteral("asked: ") + question.title;
            texts << TextsOfQtDialog(question);
        }
        return texts;
    }
};

TEST_F(DeskAccessibleTextsTest, UnderEnglishNothingAScreenReaderReadsIsJapanese)
{
    const EnglishTranslation english;
    ASSERT_TRUE(english.Loaded());
    const QStringList texts = EveryText();
    // Every kind of question was asked, so every Qt dialog was read.
    for (const FakeDialogs::Kind kind : {FakeDialogs::Kind::Message, FakeDialogs::Kind::Input,
                                         FakeDialogs::Kind::SaveFile, FakeDialogs::Kind::Font})
        EXPECT_TRUE(std::ranges::any_of(dialogs.asked, [kind](const auto& q) { return q.kind == kind; }));
    EXPECT_GT(texts.size(), 300);
    for (const QString& text : texts)
        EXPECT_FALSE(HasJapanese(text)) << text.toStdString();
}

// Under Japanese (and C/POSIX) the desk reads as it always has, Qt's own
// buttons in Japanese beside it.
TEST_F(DeskAccessibleTextsTest, UnderJapaneseTheSpecifiedTextsStand)
{
    QTranslator qtJapanese;
    ASSERT_TRUE(
        qtJapanese.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    QCoreApplication::installTranslator(&qtJapanese);
    const QStringList texts = EveryText();
    QCoreApplication::removeTranslator(&qtJapanese);
    for (const char* expected : {
             "frmTollbrook/#1/pnlTollbrook/btnExe0: ＤＯＳ",
             "frmTollbrook/#1/pnlTollbrook/btnCancel: ｷｬﾝｾﾙ",
             "frmTollbrook/#1/pnlTollbrook/btnCancel: 実行中に中断します",
             "frmTollbrook/#1/#1/#0: 圧縮ファイル格納フォルダ",
             "frmTollbrook/#1/#1/#1: 圧縮ファイル名",
             "frmTollbrook/#1/#1/#2: 自己解凍作成ファイル名",
             "frmTollbrook/#1/#1/#4: 実行履歴",
             "frmTollbrook/#1/#1/#5: 自己解凍作成終了ファイル",
             "frmTollbrook/#0/#0: E(x)it",
             "frmTollbrook/#0/#3/#0/#0: InDirDefault",
             "mnuPopup/#3: フォルダエリアスのメンテナンス",
             "mnuPopup/#0: 初期化",
             "frmMenuMente: 圧縮ファイル格納フォルダのエリアスメンテナンス",
             "frmOption: Option",
             "frmOption/ckbLZH: LZH圧縮ファイル作成対象(.LZH)",
             "frmOption/btnCancel: 設定を中断して、閉じます",
             "frmDefault: Default",
             "frmDefault/cbxDrive: 初期設定を無効にして、常に終了時のフォルダに復帰します",
             "#0/qt_msgbox_label: 同一のフォルダエリアス名は追加できません",
             "QFileDialog/fileNameLabel: ファイル名(N):",
             "#0/qt_msgbox_buttonbox/#0: はい(Y)",
             "#0/qt_msgbox_buttonbox/#1: いいえ(N)",
         })
        EXPECT_TRUE(texts.contains(QString::fromUtf8(expected))) << expected;
}

struct MenuCaption {
    const char* japanese;
    const char* english;
};

// The menu bar's items and sub-items in their order: the Japanese desk's
// fixed captions, and what English users read, with the same Alt letters.
constexpr MenuCaption kMenuCaptions[] = {
    {"E(&x)it", "E&xit"},
    {"Fon(&t)", "Fon&t…"},
    {"(&L)og", "&Log"},
    {"Log(&C)opy", "&Copy the history"},
    {"Log(&S)ave", "&Save the history…"},
    {"(&D)efault", "&Default folders"},
    {"InDirDefault", "Initial archive folder…"},
    {"OutDirDefault", "Initial output folder…"},
    {"(&O)ption", "&Options…"},
    {"M(&k)dir", "Ma&ke folder…"},
    {"(&H)elp", "&Help"},
    {"(&A)bout", "&About"},
};

// The captions of the menu bar's items and of their submenus' items, in order.
QStringList MenuBarCaptions(const MainWindow& desk)
{
    QStringList captions;
    for (const QAction* item : desk.menuBar()->actions()) {
        captions << item->text();
        if (item->menu()) {
            for (const QAction* subItem : item->menu()->actions())
                captions << subItem->text();
        }
    }
    return captions;
}

TEST_F(DeskAccessibleTextsTest, TheMenuBarReadsInEachLanguageWithTheSameAltLetters)
{
    QStringList japanese;
    QStringList english;
    for (const MenuCaption& caption : kMenuCaptions) {
        japanese << QString::fromUtf8(caption.japanese);
        english << QString::fromUtf8(caption.english);
    }
    EXPECT_EQ(MenuBarCaptions(Desk()), japanese);
    {
        const EnglishTranslation translation;
        ASSERT_TRUE(translation.Loaded());
        EXPECT_EQ(MenuBarCaptions(Desk()), english);
    }
    for (qsizetype item = 0; item < japanese.size(); ++item)
        EXPECT_EQ(QKeySequence::mnemonic(english[item]), QKeySequence::mnemonic(japanese[item]))
            << english[item].toStdString();
}

// The English manual names each window, menu item, option and dialog by the
// caption the English desk shows.
TEST_F(DeskAccessibleTextsTest, TheEnglishManualCallsEveryControlByItsCaption)
{
    QFile file(QStringLiteral(TB_SOURCE_DIR "/docs/manual-en.html"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // On one line, as a reader sees it.
    const QString manual =
        QString::fromUtf8(file.readAll()).replace(QStringLiteral("&amp;"), QStringLiteral("&")).simplified();
    const EnglishTranslation english;
    ASSERT_TRUE(english.Loaded());
    MainWindow& desk = Desk();

    QStringList captions = MenuBarCaptions(desk);
    for (ChildWindow* child : desk.Children()) {
        // The output folder's caption ends in its free space.
        captions << child->SubWindow()->windowTitle().section(QStringLiteral(" ("), 0, 0);
        for (const QAction* item : child->Popup()->actions())
            captions << item->text();
    }
    for (const char* dialogName : {"frmOption", "frmAbout", "frmDefault", "frmMenuMente"}) {
        const QWidget& dialog = Named(desk, dialogName);
        if (dialogName != std::string_view("frmMenuMente")) // titled by the folder window it edits
            captions << dialog.windowTitle();
        for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
            captions << button->text();
    }
    for (QString caption : captions) {
        caption.remove(u'&');
        if (!caption.isEmpty()) {
            EXPECT_TRUE(manual.contains(caption)) << caption.toStdString();
        }
    }
}

} // namespace

// At the default size and font every caption, button, label, option and
// menu item of the desk and its dialogs has the width its text needs, in
// both languages: nothing is cut or elided.
#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTest>

#include "ui/deskRig.h"
#include "ui/modalDialog.h"
#include "support/englishTexts.h"
#include "ui/desk/captionRoom.h"
#include "ui/commands/mainMenu.h"

namespace {

using namespace testSupport;

// Each control under window whose text does not fit, as "name 'text':
// needs N, gets M".
QStringList CutControls(QWidget& window)
{
    QStringList cut;
    auto check = [&cut](const QWidget& control, const QString& text, int needed, int given) {
        if (given < needed)
            cut << QStringLiteral("%1 '%2': needs %3, gets %4")
                       .arg(control.objectName(), text)
                       .arg(needed)
                       .arg(given);
    };
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisibleTo(&window))
            continue;
        if (const auto* button = qobject_cast<QAbstractButton*>(control); button && !button->text().isEmpty())
            check(*button, button->text(), button->sizeHint().width(), button->width());
        if (const auto* label = qobject_cast<QLabel*>(control);
            label && !label->wordWrap() && !label->text().isEmpty())
            check(*label, label->text(), label->sizeHint().width(), label->width());
        if (const auto* child = qobject_cast<QMdiSubWindow*>(control))
            check(*child, child->windowTitle(), CaptionRoom::NeededWidth(*child), child->width());
        if (const auto* bar = qobject_cast<QMenuBar*>(control)) {
            // An item that does not fit goes behind the bar's extension arrow.
            for (QAction* item : bar->actions())
                check(*bar, item->text(), bar->actionGeometry(item).right() + 1, bar->width());
        }
    }
    return cut;
}

class DeskWidthsTest : public DeskTest, public ::testing::WithParamInterface<bool> {
protected:
    // The desk as a first start shows it: no stored place, the default
    // font, shown.
    MainWindow& DefaultDesk()
    {
        window = std::make_unique<MainWindow>(libraries);
        EXPECT_TRUE(window->PrepareDesk());
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return *window;
    }
};

TEST_P(DeskWidthsTest, NothingIsCutAtTheDefaultSizeAndFont)
{
    std::optional<EnglishTranslation> english;
    if (GetParam()) {
        english.emplace();
        ASSERT_TRUE(english->Loaded());
    }
    MainWindow& desk = DefaultDesk();
    QStringList cut = CutControls(desk);
    for (const MenuCommand command : {MenuCommand::Options, MenuCommand::About,
                                      MenuCommand::InitialInputFolder, MenuCommand::InitialOutputFolder}) {
        WhileModal([&desk, command] { MenuActionOf(desk, command).trigger(); },
                   [&cut](QWidget& dialog) {
                       cut << CutControls(dialog);
                       static_cast<QDialog&>(dialog).reject();
                   });
    }
    dialogs.inputAnswers.enqueue(QStringLiteral("Archives"));
    InputFolderOf(desk).AddAlias();
    WhileModal([&desk] { InputFolderOf(desk).MaintainAliases(); },
               [&cut](QWidget& dialog) {
                   cut << CutControls(dialog);
                   static_cast<QDialog&>(dialog).reject();
               });
    EXPECT_EQ(cut, QStringList());
}

INSTANTIATE_TEST_SUITE_P(Languages, DeskWidthsTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "English" : "Japanese"; });

} // namespace

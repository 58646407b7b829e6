// The desk under the English translation: its captions, buttons, menus,
// tooltips and the history of a run speak English, and the settings it
// stores read as under Japanese.
#include <QAbstractButton>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>

#include "ui/deskRig.h"
#include "support/englishTexts.h"
#include "ui/children/historyWindow.h"

namespace {

using namespace testSupport;
using DeskLanguageTest = testSupport::DeskTest;

// Every text a person can read on a widget and its menus, each with where it
// was found.
QStringList ReadableTexts(const QWidget& root)
{
    QStringList texts;
    auto add = [&texts](const QObject& owner, const char* what, const QString& text) {
        if (!text.isEmpty())
            texts << owner.objectName() + u'.' + QLatin1String(what) + QStringLiteral(": ") + text;
    };
    QList<const QWidget*> widgets{&root};
    for (const QWidget* widget : root.findChildren<QWidget*>())
        widgets << widget;
    for (const QWidget* widget : widgets) {
        add(*widget, "title", widget->windowTitle());
        add(*widget, "tip", widget->toolTip());
        add(*widget, "accessibleName", widget->accessibleName());
        add(*widget, "accessibleDescription", widget->accessibleDescription());
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            add(*widget, "text", button->text());
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            add(*widget, "text", label->text());
        for (const QAction* action : widget->actions()) {
            add(*widget, "action", action->text());
            add(*widget, "actionTip", action->toolTip());
        }
    }
    return texts;
}

TEST_F(DeskLanguageTest, UnderEnglishTheDeskAndARunsHistoryHaveNoJapanese)
{
    const EnglishTranslation english;
    ASSERT_TRUE(english.Loaded());
    MainWindow& desk = Desk({Archive("a.lzh"), Archive("b.lzh")});
    for (ChildWindow* child : desk.Children()) {
        for (const QAction* item : child->Popup()->actions())
            EXPECT_FALSE(HasJapanese(item->text())) << item->text().toStdString();
    }
    ExecuteButtonOf(desk, 2).click();

    const QStringList texts = ReadableTexts(desk);
    EXPECT_GT(texts.size(), 30);
    for (const QString& text : texts)
        EXPECT_FALSE(HasJapanese(text)) << text.toStdString();
    const QStringList history = HistoryWindowOf(desk).History().Lines();
    ASSERT_FALSE(history.isEmpty());
    for (const QString& line : history)
        EXPECT_FALSE(HasJapanese(line)) << line.toStdString();
    EXPECT_EQ(history.constLast(), u"All finished");

    // The captions English users read, and the Execute buttons.
    EXPECT_EQ(InputFolderOf(desk).SubWindow()->windowTitle(), u"Archive folder");
    EXPECT_EQ(InputListOf(desk).SubWindow()->windowTitle(), u"Archives");
    EXPECT_EQ(WorkListOf(desk).SubWindow()->windowTitle(), u"To convert");
    EXPECT_TRUE(OutputFolderOf(desk).SubWindow()->windowTitle().startsWith(u"Output folder"));
    EXPECT_EQ(HistoryWindowOf(desk).SubWindow()->windowTitle(), u"History");
    EXPECT_EQ(OutputListOf(desk).SubWindow()->windowTitle(), u"Created");
    EXPECT_EQ(ExecuteButtonOf(desk, 0).text(), u"DOS");
    EXPECT_EQ(ExecuteButtonOf(desk, 1).text(), u"Win16");
    EXPECT_EQ(ExecuteButtonOf(desk, 2).text(), u"Win32");
}

// The stored settings hold no text of the language they were written in: a
// desk closed under English stores what one closed under Japanese does.
TEST_F(DeskLanguageTest, TheStoredSettingsAreTheSameInBothLanguages)
{
    // Each desk starts from the same settings: one that opens where the
    // other closed may be moved onto the small offscreen screen.
    const platform::FakeSettingsStore before = store;
    auto storedAfterClosing = [this, &before] {
        store = before;
        Desk({Archive("a.lzh")});
        window->close();
        window.reset();
        const QList<platform::FakeSettingsStore::Entry> writes = store.writes;
        store.writes.clear();
        return writes;
    };
    const auto japanese = storedAfterClosing();
    ASSERT_FALSE(japanese.isEmpty());
    const EnglishTranslation english;
    ASSERT_TRUE(english.Loaded());
    EXPECT_EQ(storedAfterClosing(), japanese);
}

} // namespace

#include "ui/dialogs/aliasDialog.h"

#include "util/sharedMessages.h"
#include "ui/widgetTest.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>

namespace {

using folders::FolderAlias;
using folders::FolderAliases;
using messages::SharedMessage;

class AliasDialogTest : public testSupport::WidgetTest {
protected:
    // Aliases named by single letters, each for the folder /<letter>.
    static FolderAliases Named(const QString& letters)
    {
        QList<FolderAlias> list;
        for (const QChar letter : letters)
            list.append({QString(letter), QStringLiteral("/") + letter});
        return FolderAliases(list);
    }
    static QString Letters(const FolderAliases& aliases)
    {
        QString letters;
        for (const FolderAlias& alias : aliases.All()) {
            letters += alias.name;
            EXPECT_EQ(alias.folder, QStringLiteral("/") + alias.name.front())
                << "a name went without its folder";
        }
        return letters;
    }
    QListWidget& List() { return *dialog.findChild<QListWidget*>(QStringLiteral("lbxMenu")); }
    QString FolderShown() { return dialog.findChild<QLineEdit*>(QStringLiteral("txtDir"))->text(); }
    QWidget* Control(const char* name) { return dialog.findChild<QWidget*>(QString::fromLatin1(name)); }

    AliasDialog dialog;
};

TEST_F(AliasDialogTest, EditsMoveAndDeleteOnTheCopy)
{
    enum class Step { Up, Down, Delete, DeleteAll };
    const struct {
        const char* start;
        int selected;
        Step step;
        const char* after;
        int selectedAfter;
    } cases[] = {
        {"ABC", 1, Step::Up, "BAC", 0},      {"ABC", 0, Step::Up, "ABC", 0},
        {"ABC", 1, Step::Down, "ACB", 2},    {"ABC", 2, Step::Down, "ABC", 2},
        {"ABC", 1, Step::Delete, "AC", 1},   {"ABC", 2, Step::Delete, "AB", 1},
        {"ABC", 0, Step::Delete, "BC", 0},   {"A", 0, Step::Delete, "", -1},
        {"ABC", 1, Step::DeleteAll, "", -1},
    };
    for (const auto& c : cases) {
        dialog.SetAliases(QStringLiteral("W"), Named(QString::fromLatin1(c.start)));
        List().setCurrentRow(c.selected);
        switch (c.step) {
        case Step::Up: dialog.MoveUp(); break;
        case Step::Down: dialog.MoveDown(); break;
        case Step::Delete: dialog.Delete(); break;
        case Step::DeleteAll: dialog.DeleteAll(); break;
        }
        const QString after = QString::fromLatin1(c.after);
        EXPECT_EQ(Letters(dialog.Aliases()), after) << c.start << ' ' << static_cast<int>(c.step);
        EXPECT_EQ(List().currentRow(), c.selectedAfter) << c.start;
        EXPECT_EQ(FolderShown(),
                  c.selectedAfter < 0 ? QString() : QStringLiteral("/") + after[c.selectedAfter]);
    }
}

TEST_F(AliasDialogTest, ListControlsAreUsableExactlyWhileThereIsAnAlias)
{
    const char* const listControls[] = {"lbxMenu", "txtDir",    "btnUp",  "btnDown",
                                        "btnDel",  "btnDelAll", "btnName"};
    dialog.SetAliases(QStringLiteral("W"), Named(QStringLiteral("AB")));
    for (const char* name : listControls)
        EXPECT_TRUE(Control(name)->isEnabled()) << name;
    dialog.Delete();
    dialog.Delete();
    for (const char* name : listControls)
        EXPECT_FALSE(Control(name)->isEnabled()) << name;
    EXPECT_TRUE(Control("btnOk")->isEnabled());
    EXPECT_TRUE(Control("btnCancel")->isEnabled());
    EXPECT_TRUE(dialog.Aliases().IsEmpty());

    dialog.SetAliases(QStringLiteral("W"), FolderAliases());
    EXPECT_FALSE(Control("lbxMenu")->isEnabled());
    EXPECT_EQ(FolderShown(), QString());
}

TEST_F(AliasDialogTest, RenameRefusesAnotherAliasesNameOnly)
{
    const struct {
        const char* answer; // empty: cancelled
        const char* names;  // the names after the rename of B
        bool refused;
    } cases[] = {
        {"", "A B C", false},  {"B", "A B C", false},     {"C", "A B C", true},
        {"a", "A a C", false}, {"New", "A New C", false},
    };
    for (const auto& c : cases) {
        dialogs.asked.clear();
        dialog.SetAliases(QStringLiteral("W"), Named(QStringLiteral("ABC")));
        List().setCurrentRow(1);
        dialogs.inputAnswers.enqueue(QString::fromUtf8(c.answer));
        dialog.Rename();
        QStringList names;
        const FolderAliases edited = dialog.Aliases();
        for (const FolderAlias& alias : edited.All())
            names << alias.name;
        EXPECT_EQ(names.join(u' '), QString::fromLatin1(c.names)) << c.answer;
        EXPECT_EQ(dialog.Aliases().At(1).folder, QStringLiteral("/B")) << "the folder stays";
        EXPECT_EQ(dialogs.messages(),
                  c.refused ? QStringList{messages::Text(SharedMessage::RenamedAliasNameTaken)}
                            : QStringList())
            << c.answer;
        EXPECT_EQ(List().item(1)->text(), names[1]);
        ASSERT_FALSE(dialogs.asked.isEmpty());
        const platform::FakeDialogs::Question& question = dialogs.asked.first();
        EXPECT_EQ(question.text, messages::Text(SharedMessage::NewAliasNamePrompt));
        EXPECT_EQ(question.title, messages::Text(SharedMessage::RenameAliasTitle));
        EXPECT_EQ(question.detail, QStringLiteral("B")) << "the current name is proposed";
    }
}

TEST_F(AliasDialogTest, CaptionNamesTheFolderWindowAndTheFolderIsShortened)
{
    const QString longFolder = QStringLiteral("/home/user/archives/2024/march");
    dialog.SetAliases(QString::fromUtf8("圧縮ファイル格納フォルダ"),
                      FolderAliases({{QStringLiteral("march"), longFolder}}));
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("圧縮ファイル格納フォルダのエリアスメンテナンス"));
    EXPECT_EQ(FolderShown(), QStringLiteral("/home/.../2024/march"));
    EXPECT_EQ(List().currentRow(), 0);
}

TEST_F(AliasDialogTest, PictureButtonsAreNamedAndTooltipsFollowTheOption)
{
    const std::pair<const char*, SharedMessage> pictures[] = {
        {"btnUp", SharedMessage::MoveAliasUpTip},
        {"btnDown", SharedMessage::MoveAliasDownTip},
        {"btnDel", SharedMessage::DeleteAliasTip},
        {"btnDelAll", SharedMessage::DeleteAllAliasesTip}};
    dialog.ApplyTooltips(true);
    for (const auto& [name, text] : pictures) {
        EXPECT_EQ(Control(name)->accessibleName(), messages::Text(text)) << name;
        EXPECT_EQ(Control(name)->toolTip(), messages::Text(text)) << name;
    }
    EXPECT_EQ(Control("btnOk")->toolTip(), messages::Text(SharedMessage::OkButtonTip));
    dialog.ApplyTooltips(false);
    for (const auto& [name, text] : pictures)
        EXPECT_EQ(Control(name)->toolTip(), QString()) << name;
}

TEST_F(AliasDialogTest, OkAcceptsCancelRejects)
{
    dialog.SetAliases(QStringLiteral("W"), Named(QStringLiteral("AB")));
    qobject_cast<QAbstractButton*>(Control("btnOk"))->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    dialog.SetAliases(QStringLiteral("W"), Named(QStringLiteral("AB")));
    qobject_cast<QAbstractButton*>(Control("btnCancel"))->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

} // namespace

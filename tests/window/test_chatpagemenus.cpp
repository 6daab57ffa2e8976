// The chat page's pop-up menus on two whole programs over a real server: a right press opens a
// list's menu and keeps the selection, the items reach the player administration (join, move,
// kick on the host's own server), the chat menu clears and saves the buffer and answers a vote.

#include "net/chatbuffer.h"
#include "programrig.h"
#include "window/chatpagemenus.h"
#include "window/windowclientview.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMenu>
#include <QTextCursor>
#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::freePort;
using testing::Player;
using testing::ScratchFolder;
using testing::waitFor;

// The item of `menu` with this caption; a submenu's items through its own menu.
QAction& item(QMenu& menu, const QString& caption)
{
    for (QAction* action : menu.actions()) {
        if (action->text() == caption)
            return *action;
    }
    ADD_FAILURE() << "no item " << caption.toStdString();
    static QAction none;
    return none;
}

QPoint rowCentre(QListWidget& list, int row)
{
    return list.visualItemRect(list.item(row)).center();
}

// A host and a joiner on the host's server, both on the chat page.
struct Room : ::testing::Test {
    void SetUp() override
    {
        const quint16 port = host.hostOnFreePort();
        ASSERT_NE(port, 0) << host.chat().toStdString();
        joiner.connectTo(port);
        ASSERT_TRUE(waitFor([&] { return joiner.window().CurrentScreen() == Screen::Chat; }));
        ASSERT_TRUE(waitFor([&] { return host.window().chatPage().spectatorList().count() == 2; }));
    }

    ChatPageMenus& menus() { return host.program->chatMenus(); }
    QListWidget& players() { return host.window().chatPage().playerList(); }
    bool hostShows(int row, const QString& line)
    {
        return waitFor([&] { return players().count() == 6 && players().item(row)->text() == line; });
    }

    Player host{ "Host" };
    Player joiner{ "Joiner" };
};

TEST_F(Room, PlayerMenuKeepsTheSelectionAndActsOnIt)
{
    QTest::mouseClick(&joiner.window().chatPage().joinGameButton(), Qt::LeftButton);
    ASSERT_TRUE(hostShows(0, QStringLiteral("1. Joiner")));

    // Without a selection no menu opens.
    QTest::mousePress(players().viewport(), Qt::RightButton, {}, rowCentre(players(), 2));
    EXPECT_FALSE(menus().playerMenu().isVisible());
    EXPECT_EQ(players().selectedItems().size(), 0);

    // A right press on another line opens the menu for the line selected.
    players().setCurrentRow(0);
    QTest::mousePress(players().viewport(), Qt::RightButton, {}, rowCentre(players(), 3));
    EXPECT_TRUE(menus().playerMenu().isVisible());
    EXPECT_EQ(players().currentRow(), 0);
    EXPECT_FALSE(item(menus().playerMenu(), QStringLiteral("Join Game")).isEnabled()) << "spot 1 is taken";
    menus().playerMenu().hide();

    // Join Game on a free line asks for that spot.
    players().setCurrentRow(3);
    ASSERT_TRUE(menus().openPlayerMenu(QPoint()));
    menus().playerMenu().hide();
    QAction& join = item(menus().playerMenu(), QStringLiteral("Join Game"));
    ASSERT_TRUE(join.isEnabled());
    join.trigger();
    ASSERT_TRUE(waitFor([&] { return host.client().roster().MySpot == 4; }));

    // The host moves the joiner: its own spot is the one unavailable target.
    players().setCurrentRow(0);
    QMenu& move = *item(menus().playerMenu(), QStringLiteral("Move Player")).menu();
    emit move.aboutToShow();
    for (int slot = 1; slot <= 6; ++slot)
        EXPECT_EQ(item(move, QStringLiteral("Player #%1").arg(slot)).isEnabled(), slot != 1) << slot;
    item(move, QStringLiteral("Player #5")).trigger();
    ASSERT_TRUE(waitFor([&] { return joiner.client().roster().MySpot == 5; }));
    ASSERT_TRUE(hostShows(4, QStringLiteral("5. Joiner")));

    // And kicks it off the server.
    players().setCurrentRow(4);
    item(menus().playerMenu(), QStringLiteral("Kick Player")).trigger();
    ASSERT_TRUE(waitFor([&] { return !joiner.client().Connected(); })) << joiner.chat().toStdString();
    ASSERT_TRUE(hostShows(4, QStringLiteral("5. (Not Playing)")));
    EXPECT_TRUE(host.dialogs.messages().empty());
}

TEST_F(Room, SpectatorMenuMovesTheSelectedSpectatorAndTellsAMissingOne)
{
    QListWidget& spectators = host.window().chatPage().spectatorList();
    // Without a selection the menu opens all the same, and its items say what is missing.
    QTest::mousePress(spectators.viewport(), Qt::RightButton, {}, QPoint(4, 4));
    EXPECT_TRUE(menus().spectatorMenu().isVisible());
    menus().spectatorMenu().hide();
    item(menus().spectatorMenu(), QStringLiteral("Kick Spectator")).trigger();
    ASSERT_EQ(host.dialogs.messages(), std::vector<Bytes>{ "You need to select a spectator to kick!" });
    EXPECT_TRUE(joiner.client().Connected());

    const QList<QListWidgetItem*> found = spectators.findItems(QStringLiteral("Joiner"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    spectators.setCurrentItem(found.front());
    QMenu& move = *item(menus().spectatorMenu(), QStringLiteral("Move Spectator")).menu();
    item(move, QStringLiteral("Player #3")).trigger();
    ASSERT_TRUE(waitFor([&] { return joiner.client().roster().MySpot == 3; }));
}

TEST_F(Room, ChatMenuSavesClearsAndCopiesTheBuffer)
{
    // Typed keys are ASCII only: the line is put in whole, then sent with Enter.
    QLineEdit& line = joiner.window().chatPage().chatLine();
    line.setText(QStringLiteral("caf\u00e9 {braces} \\ back"));
    QTest::keyClick(&line, Qt::Key_Return);
    ASSERT_TRUE(waitFor([&] { return host.chat().contains(QStringLiteral("<Joiner> caf\u00e9")); }));
    const Bytes shown = host.program->clientView().chatBuffer().text();

    // Saved as text and as rich text by the name chosen; a cancelled dialog writes nothing.
    ScratchFolder out;
    const std::string text = (out / "chat.txt").string();
    const std::string rich = (out / "chat.RTF").string();
    host.dialogs.fileAnswers = { Bytes(text), Bytes(rich), std::nullopt };
    for (int i = 0; i < 3; ++i)
        item(menus().chatMenu(), QStringLiteral("Save Buffer")).trigger();
    EXPECT_EQ(testing::readFile(out / "chat.txt"), shown + "\r\n");
    const std::string rtf = testing::readFile(out / "chat.RTF");
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u) << rtf;
    EXPECT_NE(rtf.find("caf\\'e9 \\{braces\\} \\\\ back"), std::string::npos) << rtf;
    ASSERT_EQ(host.dialogs.calls.size(), 3u);
    EXPECT_EQ(host.dialogs.calls[0].kind, "save");
    EXPECT_EQ(host.dialogs.calls[0].file.filter, "Text File (*.txt)|*.txt|Rich Text File (*.rtf)|*.rtf|");

    // Copy takes the selected text only.
    QTextEdit& box = host.window().chatPage().chatBox();
    QTextCursor cursor = box.document()->find(QStringLiteral("{braces}"));
    ASSERT_FALSE(cursor.isNull());
    box.setTextCursor(cursor);
    item(menus().chatMenu(), QStringLiteral("&Copy")).trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("{braces}"));

    // Clear empties the box and the buffer; what comes next is kept again.
    item(menus().chatMenu(), QStringLiteral("Clear Buffer")).trigger();
    EXPECT_TRUE(host.chat().isEmpty());
    EXPECT_TRUE(host.program->clientView().chatBuffer().runs().empty());
    joiner.say(QStringLiteral("again"));
    ASSERT_TRUE(waitFor([&] { return host.chat().contains(QStringLiteral("<Joiner> again")); }));
    EXPECT_EQ(host.program->clientView().chatBuffer().text(), "\r\n<Joiner> again");
}

TEST_F(Room, ChatMenuAnswersAKickVote)
{
    host.say(QStringLiteral("/callvote joiner"));
    ASSERT_TRUE(waitFor([&] { return host.chat().contains(QStringLiteral("has called a vote to kick")); }))
        << host.chat().toStdString();
    QTest::mousePress(host.window().chatPage().chatBox().viewport(), Qt::RightButton, {}, QPoint(4, 4));
    ASSERT_TRUE(menus().chatMenu().isVisible());
    menus().chatMenu().hide();
    QAction& yes = item(menus().chatMenu(), QStringLiteral("Vote Yes"));
    ASSERT_TRUE(yes.isEnabled());
    yes.trigger();
    ASSERT_TRUE(waitFor([&] { return host.chat().contains(QStringLiteral("Vote Passed!")); }))
        << host.chat().toStdString();
    ASSERT_TRUE(waitFor([&] { return !joiner.client().Connected(); }));
}

} // namespace
} // namespace kalvon

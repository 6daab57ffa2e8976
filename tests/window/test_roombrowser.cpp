// The rooms of an outside server on a whole program, against the scripted outside server on
// loopback: the room browser lists and shows the rooms, a passworded room asks for its
// password in a box that does not block, the room-creation panel sends the options changed,
// and the chat menu's "Start Vote" sends a rule vote from the vote panel.

#include "net/wire/encodings.h"
#include "programrig.h"
#include "support/outsideserver/outsideserver.h"
#include "window/chatpagemenus.h"
#include "window/roombrowserpanel.h"
#include "window/roombrowsing.h"
#include "window/roomcreationpanel.h"
#include "window/rulevotepanel.h"

#include <QAction>
#include <QInputDialog>
#include <QListWidget>
#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::OutsideServer;
using testing::Player;
using testing::waitFor;

struct OutsideRooms : ::testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(server.listen());
        player.connectTo(server.port());
        ASSERT_TRUE(waitFor([&] { return player.window().CurrentScreen() == Screen::Chat; }));
    }

    RoomBrowsing& rooms() { return player.program->roomBrowsing(); }
    ChatPage& page() { return player.window().chatPage(); }
    // Whether the client sent this line.
    bool sent(BytesView line)
    {
        return waitFor([&] {
            const std::vector<Bytes>& lines = server.received();
            return std::find(lines.begin(), lines.end(), line) != lines.end();
        });
    }
    // The first line the client sent with this code.
    std::optional<Bytes> sentWithCode(char code)
    {
        std::optional<Bytes> found;
        waitFor([&] {
            for (const Bytes& line : server.received()) {
                if (!line.empty() && line[0] == code)
                    found = line;
            }
            return found.has_value();
        });
        return found;
    }
    void clickRoom(const QString& name)
    {
        QListWidget& list = rooms().browser().roomList();
        const QList<QListWidgetItem*> items = list.findItems(name, Qt::MatchExactly);
        ASSERT_FALSE(items.isEmpty()) << name.toStdString();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(items.front()).center());
    }

    OutsideServer server;
    Player player{ "Ann" };
};

TEST_F(OutsideRooms, TheBrowserListsTheRoomsAndAPasswordedRoomAsksWithoutBlocking)
{
    QTest::mouseClick(&page().roomBrowserButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return rooms().browser().roomList().count() == 4; }));
    EXPECT_TRUE(page().roomListPanel().isVisible());
    EXPECT_FALSE(page().chatBox().isVisible());
    EXPECT_FALSE(page().roomBrowserButton().isEnabled());
    EXPECT_EQ(rooms().browser().roomsCaption(), QStringLiteral("Rooms - 4"));
    EXPECT_TRUE(
        rooms().browser().roomInfo().startsWith(QStringLiteral("Room Name: lobby\nPassworded: No\n")));
    EXPECT_EQ(rooms().browser().specialList().count(), 16);

    clickRoom(QStringLiteral("speedway"));
    EXPECT_EQ(rooms().browser().joinBox().text(), QStringLiteral("speedway"));
    EXPECT_TRUE(rooms().browser().roomInfo().contains(QStringLiteral("Piece delay: 20\n")));
    EXPECT_TRUE(rooms().browser().roomInfo().contains(QStringLiteral("Specials enabled: No\n")));

    // The passworded room asks; the box waits while the client goes on handling lines.
    clickRoom(QStringLiteral("vault"));
    QTest::mouseClick(&rooms().browser().joinButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return rooms().passwordBox() != nullptr; }));
    QInputDialog* box = rooms().passwordBox();
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Enter Room Password"));
    EXPECT_EQ(box->labelText(), QStringLiteral("Enter password for room 'vault':"));
    player.say(QStringLiteral("still here"));
    ASSERT_TRUE(waitFor([&] { return player.chat().contains(QStringLiteral("<Ann> still here")); }));
    box->setTextValue(QStringLiteral("open"));
    box->accept();
    EXPECT_TRUE(sent("h;vault\topen"));
    ASSERT_TRUE(
        waitFor([&] { return player.chat().contains(QStringLiteral("*** You are in room \"vault\"")); }));
    EXPECT_TRUE(page().chatBox().isVisible());
    EXPECT_FALSE(page().roomListPanel().isVisible());
    EXPECT_TRUE(player.program->chatMenus().startVoteItem().isEnabled());
}

TEST_F(OutsideRooms, TheCreationPanelSendsTheOptionsChanged)
{
    QTest::mouseClick(&page().roomBrowserButton(), Qt::LeftButton);
    QTest::mouseClick(&rooms().browser().moreOptionsButton(), Qt::LeftButton);
    ASSERT_TRUE(page().roomCreationPanel().isVisible());
    RoomCreationPanel& creation = rooms().creation();
    creation.settingsList().setCurrentRow(7); // Levels raised
    EXPECT_EQ(creation.currentValue().text(), QStringLiteral("1"));
    EXPECT_FALSE(creation.valueList().isEditable());
    ASSERT_EQ(creation.valueList().count(), 51);
    creation.valueList().setCurrentIndex(5);
    creation.cmdChangeSetting_Click();
    EXPECT_EQ(creation.currentValue().text(), QStringLiteral("5"));
    Player::type(creation.nameBox(), QStringLiteral("myroom"));
    QTest::mouseClick(&creation.createButton(), Qt::LeftButton);
    const std::optional<Bytes> line = sentWithCode('|');
    ASSERT_TRUE(line);
    ASSERT_EQ(line->size(), Bytes("|;myroom\t\r\t").size() + 40);
    EXPECT_EQ(line->substr(0, 11), "|;myroom\t\r\t");
    EXPECT_EQ(static_cast<unsigned char>((*line)[11 + 2]), 105);
    EXPECT_FALSE(creation.createButton().isEnabled());
    ASSERT_TRUE(
        waitFor([&] { return player.chat().contains(QStringLiteral("*** You are in room \"myroom\"")); }));
}

TEST_F(OutsideRooms, StartVoteOpensThePanelWithTheGamesRulesAndSendsTheVote)
{
    ChatPageMenus& menus = player.program->chatMenus();
    EXPECT_FALSE(menus.startVoteItem().isEnabled());
    QTest::mouseClick(&page().roomBrowserButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return rooms().browser().roomList().count() == 4; }));
    clickRoom(QStringLiteral("lobby"));
    QTest::mouseClick(&rooms().browser().joinButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return menus.startVoteItem().isEnabled(); }));
    // The room's rules arrive after the notice.
    ASSERT_TRUE(waitFor([&] { return player.chat().contains(QStringLiteral("Game Settings")); }));

    menus.startVoteItem().trigger();
    RuleVotePanel& vote = rooms().vote();
    EXPECT_TRUE(page().votePanel().isVisible());
    EXPECT_EQ(vote.ruleList().currentRow(), 0);
    EXPECT_EQ(vote.currentValue().text(), QStringLiteral("Enabled"));
    vote.ruleList().setCurrentRow(7); // Levels raised: 2 in this room
    EXPECT_EQ(vote.currentValue().text(), QStringLiteral("2"));
    EXPECT_EQ(vote.valueList().count(), 51);
    vote.valueList().setCurrentIndex(5);
    QTest::mouseClick(&vote.startButton(), Qt::LeftButton);
    EXPECT_TRUE(sent("^;" + Bytes(1, wire::PlayerChar(7)) + Bytes(1, wire::PlayerChar(5))));
    EXPECT_FALSE(page().votePanel().isVisible());
    ASSERT_TRUE(waitFor([&] {
        return player.chat().contains(QStringLiteral("Ann has called a vote to change Levels raised to 5."));
    }));
}

} // namespace
} // namespace kalvon

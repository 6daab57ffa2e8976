// Internet play from the window, end to end in one process: two whole programs, each over its own
// program folder and settings, on real sockets. One hosts from its server page and joins its own
// server, the other joins from its connect page; both reach the chat page and take a playing
// spot, the host's rule box sends the settings again, the host starts the game with F2 and both
// fields play, a piece dropped on one reaches the other's opponent board, and the joiner leaves.
// Every step waits for what it expects, with a generous bound.

#include "engine/gameengine.h"
#include "engine/state.h"
#include "game/fieldkeyboard.h"
#include "game/gamecore.h"
#include "game/gamesession.h"
#include "net/gameserver.h"
#include "net/internetclient.h"
#include "programrig.h"
#include "support/enginestateaccess.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"
#include "window/blockratiodialog.h"
#include "window/chatoptionspanel.h"
#include "window/chatpagemenus.h"
#include "window/fieldview.h"
#include "window/gameprogram.h"
#include "window/mainwindow.h"
#include "window/pages/chatpage.h"
#include "window/pages/connectpage.h"
#include "window/pages/fieldspage.h"
#include "window/pages/serverpage.h"
#include "window/windowclientview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <functional>
#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::freePort;
using testing::Player;
using testing::waitFor;

// The cells of the opponent board showing spot `slot` that are occupied.
int occupiedCells(InternetClient& client, int slot)
{
    const std::optional<int> board = client.roster().boardOf(slot);
    if (!board)
        return 0;
    int cells = 0;
    for (const auto& column : client.boards().InetFieldOccupied[size_t(*board)])
        for (int16_t cell : column)
            cells += cell != 0;
    return cells;
}

struct StartCase {
    const char* port;
    const char* maxClients;
    const char* message;
};

// Start Server checks the port and the client limit in order; each failure says why and leaves
// the server stopped and the page as it was.
TEST(HostAndJoin, StartServerRefusesBadSettingsWithItsMessages)
{
    Player host("Host");
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::Any, 0));
    const std::string takenPort = std::to_string(taken.serverPort());
    const StartCase cases[] = {
        { "abc", "6", "You need to enter a number for the port!" },
        { "", "6", "You need to enter a number for the port!" },
        { "70000", "6", "You need to enter a number for the port!" },
        { "9090", "many", "You need to enter a number for the max number of clients!" },
        { "9090", "7", "You can't have more than 6 clients!" },
        { "9090", "1", "The least number of clients you can have is 2!" },
        { takenPort.c_str(), "6",
            "Could Not Start Server!(Probably Due To IP Restrictions or Another Server Running On That "
            "Port)" },
    };
    host.clickPage(MenuBarButton::Server);
    ServerPage& page = host.window().serverPage();
    for (const StartCase& row : cases) {
        SCOPED_TRACE(std::string(row.port) + " / " + row.maxClients);
        Player::type(page.portBox(), QLatin1String(row.port));
        Player::type(page.maxClientsBox(), QLatin1String(row.maxClients));
        host.dialogs.calls.clear();
        QTest::mouseClick(&page.startServerButton(), Qt::LeftButton);
        ASSERT_EQ(host.dialogs.calls.size(), 1u);
        EXPECT_EQ(host.dialogs.calls[0].text, row.message);
        EXPECT_EQ(host.dialogs.calls[0].title, "Error");
        EXPECT_EQ(host.dialogs.calls[0].icon, MessageIcon::Critical);
        EXPECT_FALSE(host.program->server().isRunning());
        EXPECT_EQ(page.startServerButton().text(), QStringLiteral("Start Server"));
        EXPECT_TRUE(page.portBox().isEnabled());
    }
}

// A started server shows its address, locks the port and the limit and lets the host start
// games; Stop Server undoes all of it and tells a connected client that the server shut down.
TEST(HostAndJoin, StartAndStopServerFromThePage)
{
    Player host("Host");
    host.clickPage(MenuBarButton::Server);
    ServerPage& page = host.window().serverPage();
    GameSession& session = host.program->core().session();
    EXPECT_FALSE(session.fileItemEnabled(int(FileItem::StartStop)));
    Player::type(page.portBox(), QString::number(freePort()));
    QTest::mouseClick(&page.startServerButton(), Qt::LeftButton);
    ASSERT_TRUE(host.program->server().isRunning());
    EXPECT_TRUE(host.dialogs.messages().empty());
    EXPECT_EQ(page.startServerButton().text(), QStringLiteral("Stop Server"));
    EXPECT_FALSE(page.portBox().isEnabled());
    EXPECT_FALSE(page.maxClientsBox().isEnabled());
    EXPECT_TRUE(page.userBox().isEnabled());
    EXPECT_FALSE(page.addressBox().text().isEmpty());
    EXPECT_TRUE(host.window().chatPage().startGameButton().isEnabled());
    EXPECT_FALSE(host.window().chatPage().pauseGameButton().isEnabled());
    EXPECT_TRUE(session.fileItemEnabled(int(FileItem::StartStop)));

    host.connectTo(host.program->server().listeningPort());
    ASSERT_TRUE(waitFor([&] { return page.userBox().findText(QStringLiteral("Host")) >= 0; }));

    host.clickPage(MenuBarButton::Server);
    QTest::mouseClick(&page.startServerButton(), Qt::LeftButton);
    EXPECT_FALSE(host.program->server().isRunning());
    EXPECT_EQ(page.startServerButton().text(), QStringLiteral("Start Server"));
    EXPECT_TRUE(page.portBox().isEnabled());
    EXPECT_TRUE(page.maxClientsBox().isEnabled());
    EXPECT_FALSE(page.userBox().isEnabled());
    EXPECT_EQ(page.userBox().count(), 0);
    EXPECT_TRUE(page.addressBox().text().isEmpty());
    EXPECT_FALSE(host.window().chatPage().startGameButton().isEnabled());
    EXPECT_FALSE(session.fileItemEnabled(int(FileItem::StartStop)));
    ASSERT_TRUE(waitFor([&] { return host.window().offline(); }))
        << "the server's shutdown reaches the client";
    EXPECT_TRUE(host.chat().contains(QStringLiteral("*** Disconnected from server.")));
}

// The server page's user box, kick and ban buttons and ban list: nobody is chosen until the host
// picks a user (so a button never acts on the host itself by default), a kick and a ban reach the
// joiner with their messages, a ban keeps the joiner out until its line is removed, an address
// typed into the box joins the list, and the list is written to banlist.txt at the end.
TEST(HostAndJoin, ServerPageKicksBansAndEditsTheBanList)
{
    Player host("Host");
    Player joiner("Joiner");
    const quint16 port = host.hostOnFreePort();
    ASSERT_NE(port, 0) << host.chat().toStdString();
    ServerPage& page = host.window().serverPage();
    const auto joinerListed = [&] { return page.userBox().findText(QStringLiteral("Joiner")) >= 0; };
    const auto joinAgain = [&] { joiner.connectTo(port); };
    joiner.connectTo(port);
    ASSERT_TRUE(waitFor(joinerListed));
    host.clickPage(MenuBarButton::Server);
    EXPECT_EQ(page.userBox().currentText(), QString()) << "nobody chosen yet";

    QTest::mouseClick(&page.banUserButton(), Qt::LeftButton);
    QTest::mouseClick(&page.kickUserButton(), Qt::LeftButton);
    EXPECT_EQ(
        host.dialogs.messages(), (std::vector<Bytes>{ "Select a user to ban!", "Select a user to kick!" }));
    EXPECT_EQ(page.banList().count(), 0);

    // Kick: the joiner is told and leaves the user box; nobody is chosen in its place.
    page.userBox().setCurrentIndex(page.userBox().findText(QStringLiteral("Joiner")));
    QTest::mouseClick(&page.kickUserButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return !joiner.dialogs.calls.empty(); }));
    EXPECT_EQ(joiner.dialogs.messages(), std::vector<Bytes>{ "You have been kicked from the server!" });
    ASSERT_TRUE(waitFor([&] { return !joinerListed(); }));
    EXPECT_EQ(page.userBox().currentText(), QString());
    EXPECT_EQ(page.banList().count(), 0);

    // Ban: told, out, and the address on the page's list; the next try is refused.
    joinAgain();
    ASSERT_TRUE(waitFor(joinerListed));
    joiner.dialogs.calls.clear();
    page.userBox().setCurrentIndex(page.userBox().findText(QStringLiteral("Joiner")));
    QTest::mouseClick(&page.banUserButton(), Qt::LeftButton);
    ASSERT_EQ(page.banList().count(), 1);
    const QString address = page.banList().item(0)->text();
    EXPECT_EQ(address, QStringLiteral("127.0.0.1"));
    ASSERT_TRUE(waitFor([&] { return !joiner.dialogs.calls.empty(); }));
    EXPECT_EQ(joiner.dialogs.messages(), std::vector<Bytes>{ "You are banned from this server!" });
    ASSERT_TRUE(waitFor([&] { return !joinerListed(); }));
    joiner.dialogs.calls.clear();
    joinAgain();
    ASSERT_TRUE(waitFor([&] { return !joiner.dialogs.calls.empty(); }));
    EXPECT_EQ(joiner.dialogs.messages(), std::vector<Bytes>{ "You are banned from this server!" });
    EXPECT_FALSE(joinerListed());

    // A double click removes the line, and the joiner is let in again.
    QListWidget& bans = page.banList();
    const QRect line = bans.visualItemRect(bans.item(0));
    // The first click of a double click selects the line, as on a screen.
    QTest::mouseClick(bans.viewport(), Qt::LeftButton, {}, line.center());
    QTest::mouseDClick(bans.viewport(), Qt::LeftButton, {}, line.center());
    EXPECT_EQ(bans.count(), 0);
    joinAgain();
    ASSERT_TRUE(waitFor([&] { return joiner.window().CurrentScreen() == Screen::Chat; }))
        << joiner.chat().toStdString();
    ASSERT_TRUE(waitFor(joinerListed));

    // Typed entries: Enter adds the text without blanks and empties the box; an empty box adds
    // nothing.
    QLineEdit& box = page.banBox();
    QTest::keyClicks(&box, QStringLiteral(" 10.1.2.3 "));
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_TRUE(box.text().isEmpty());
    ASSERT_EQ(bans.count(), 1);
    EXPECT_EQ(bans.item(0)->text(), QStringLiteral("10.1.2.3"));

    host.window().close();
    EXPECT_EQ(testing::readFile(host.folder / "banlist.txt"), "10.1.2.3\r\n");
}

// The connect page's checks and a refused connection say why and leave the page ready to
// connect again.
TEST(HostAndJoin, ConnectPageSaysWhyAJoinFails)
{
    Player joiner("Joiner");
    ConnectPage& page = joiner.window().connectPage();
    joiner.clickPage(MenuBarButton::Connect);
    Player::type(page.nameBox(), QString());
    joiner.connectTo(freePort());
    EXPECT_EQ(joiner.dialogs.messages(), std::vector<Bytes>{ "You have to enter a name!" });
    EXPECT_EQ(joiner.window().CurrentScreen(), Screen::Connect);
    EXPECT_EQ(page.connectButton().text(), QStringLiteral("Connect"));
    EXPECT_TRUE(page.nameBox().isEnabled());
    EXPECT_TRUE(joiner.window().offline()) << "a refused form leaves nothing for the toolbar to disconnect";

    joiner.dialogs.calls.clear();
    Player::type(page.nameBox(), QStringLiteral("Joiner"));
    joiner.connectTo(freePort());
    EXPECT_EQ(page.connectButton().text(), QStringLiteral("Disconnect")) << "connecting";
    EXPECT_FALSE(page.nameBox().isEnabled());
    ASSERT_TRUE(waitFor([&] { return !joiner.dialogs.calls.empty(); }));
    EXPECT_EQ(
        joiner.dialogs.messages(), std::vector<Bytes>{ "Connection Refused! (No Kalvon Server Running)" });
    EXPECT_EQ(joiner.dialogs.calls[0].title, "Error");
    EXPECT_EQ(page.connectButton().text(), QStringLiteral("Connect"));
    EXPECT_TRUE(page.nameBox().isEnabled());
    EXPECT_TRUE(page.addressBox().isEnabled());
    EXPECT_TRUE(joiner.window().offline());
    EXPECT_EQ(joiner.window().CurrentScreen(), Screen::Connect);
}

// The rules on the server page reach the game the host starts: start heights rounded half to
// even, and the occurrence table stored by the dialog the page opens.
TEST(HostAndJoin, ServerPageRulesAndOccurrencesReachTheClients)
{
    Player host("Host");
    ASSERT_NE(host.hostOnFreePort(), 0);
    host.clickPage(MenuBarButton::Server);
    ServerPage& page = host.window().serverPage();
    const std::pair<int, const char*> heights[] = { { 1, "2.5" }, { 2, "3.5" }, { 3, "1.5" }, { 4, "18" } };
    for (const auto& [slot, text] : heights)
        Player::type(page.heightField(slot), QLatin1String(text));

    QTest::mouseClick(&page.changeRatioButton(), Qt::LeftButton);
    QTest::mouseClick(&page.changeRatioButton(), Qt::LeftButton);
    const QList<BlockRatioDialog*> dialogs = host.window().findChildren<BlockRatioDialog*>();
    ASSERT_EQ(dialogs.size(), 1) << "a second click shows the open dialog";
    BlockRatioDialog& dialog = *dialogs.front();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.box(0).isEnabled()) << "the host edits the table while hosting";
    Player::type(dialog.box(0), QStringLiteral("40"));
    Player::type(dialog.box(7), QStringLiteral("30"));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(host.program->options().blockOccurancy[0], 40);

    // The game starts with them: the host takes a spot and starts from the chat page.
    host.clickPage(MenuBarButton::Chat);
    QTest::mouseClick(&host.window().chatPage().joinGameButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return host.client().roster().MySpot == 1; }));
    QTest::mouseClick(&host.window().chatPage().startGameButton(), Qt::LeftButton);
    const EngineState& s = host.state();
    ASSERT_TRUE(waitFor([&] { return s.GameActive; }));
    EXPECT_EQ(s.InetBlockOccurancy[0], 40);
    EXPECT_EQ(s.InetBlockOccurancy[7], 30);
    EXPECT_EQ(s.Rules.startheight[1], 2);
    EXPECT_EQ(s.Rules.startheight[2], 4);
    EXPECT_EQ(s.Rules.startheight[3], 2);
    EXPECT_EQ(s.Rules.startheight[4], 18);
}

// The chat colours of the settings, and those the chat options panel stores, reach the chat box
// and the specials log: the background at once, a line's colour for the lines written after.
TEST(HostAndJoin, ChatColoursReachTheChatBoxes)
{
    Player host("Host", "[Chat Options]\r\nbg=1,2,3\r\nserver=200,0,0\r\n");
    MainWindow& window = host.window();
    QTextEdit* const boxes[] = { &window.chatPage().chatBox(), &window.fieldsPage().specialsLog() };
    for (QTextEdit* box : boxes)
        EXPECT_EQ(box->palette().color(QPalette::Base), QColor(1, 2, 3));
    // The colour of the last run of `text` in `box`.
    const auto colourOf = [](QTextEdit* box, const QString& text) {
        QTextDocument& document = *box->document();
        const QTextCursor found = document.find(text, document.characterCount(), QTextDocument::FindBackward);
        return found.isNull() ? QColor() : found.charFormat().foreground().color();
    };
    const QString settingsLine = QStringLiteral("*** Game Settings - ");
    ASSERT_NE(host.hostOnFreePort(), 0);
    ASSERT_TRUE(waitFor([&] { return host.chat().contains(settingsLine); }));
    for (QTextEdit* box : boxes) {
        EXPECT_EQ(colourOf(box, QStringLiteral("*** Connected to server")), QColor(200, 0, 0));
        EXPECT_EQ(colourOf(box, settingsLine), QColor(200, 0, 0));
    }

    // The panel picks a new background and server colour; OK applies them.
    ChatOptionsPanel* panel = window.findChild<ChatOptionsPanel*>();
    ASSERT_NE(panel, nullptr);
    panel->openPanel({ QStringLiteral("DejaVu Sans") });
    host.dialogs.colorAnswers = { 40 + 256 * 50 + 65536 * 60, 0 + 256 * 160 + 65536 * 0 };
    QTest::mouseClick(&panel->swatch(5), Qt::LeftButton); // background
    QTest::mouseClick(&panel->swatch(15), Qt::LeftButton); // server text
    QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("cmdChatOptionsOK")), Qt::LeftButton);
    for (QTextEdit* box : boxes)
        EXPECT_EQ(box->palette().color(QPalette::Base), QColor(40, 50, 60));
    EXPECT_TRUE(window.chatPage().chatBox().isVisible()) << "the chat box is back in the panel's place";

    const qsizetype before = host.chat().count(settingsLine);
    host.clickPage(MenuBarButton::Server);
    QTest::mouseClick(&window.serverPage().ruleBox(2), Qt::LeftButton, {}, QPoint(6, 6));
    ASSERT_TRUE(waitFor([&] { return host.chat().count(settingsLine) == before + 1; }));
    for (QTextEdit* box : boxes) {
        EXPECT_EQ(colourOf(box, settingsLine), QColor(0, 160, 0));
        EXPECT_EQ(colourOf(box, QStringLiteral("*** Connected to server")), QColor(200, 0, 0))
            << "lines written before keep their colour";
    }
}

TEST(HostAndJoin, ChatLineSendsChatAndCommands)
{
    Player host("Host");
    Player joiner("Joiner");

    // Before a connection only the notice, in the joiner's own box.
    joiner.say(QStringLiteral("anyone?"));
    EXPECT_TRUE(joiner.chat().contains(QStringLiteral("*** Not connected to a server.")));

    const quint16 port = host.hostOnFreePort();
    ASSERT_NE(port, 0) << host.chat().toStdString();
    joiner.connectTo(port);
    ASSERT_TRUE(waitFor([&] { return joiner.window().CurrentScreen() == Screen::Chat; }))
        << joiner.chat().toStdString();
    ASSERT_TRUE(waitFor([&] { return host.window().chatPage().spectatorList().count() == 2; }));

    // Chat, and a command sent as its own message.
    joiner.say(QStringLiteral("hello there"));
    EXPECT_TRUE(joiner.window().chatPage().chatLine().text().isEmpty());
    ASSERT_TRUE(waitFor([&] { return host.chat().contains(QStringLiteral("<Joiner> hello there")); }))
        << host.chat().toStdString();
    joiner.say(QStringLiteral("/me waves"));
    ASSERT_TRUE(waitFor([&] { return host.chat().contains(QStringLiteral("*Joiner waves")); }))
        << host.chat().toStdString();
    EXPECT_FALSE(host.chat().contains(QStringLiteral("/me")));
    joiner.say(QStringLiteral("/spot 3"));
    ASSERT_TRUE(waitFor([&] { return joiner.client().roster().MySpot == 3; }));

    // A local command prints only in its own box.
    joiner.say(QStringLiteral("/help"));
    EXPECT_TRUE(joiner.chat().contains(QStringLiteral("--- List of available commands ---")));
    EXPECT_FALSE(host.chat().contains(QStringLiteral("--- List of available commands ---")));

    // The host's buffer holds what its box shows, ready to be saved.
    const Bytes buffered = host.program->clientView().chatBuffer().text();
    EXPECT_NE(buffered.find("<Joiner> hello there"), Bytes::npos);
    EXPECT_NE(buffered.find("*Joiner waves"), Bytes::npos);
    EXPECT_TRUE(host.dialogs.messages().empty());
    EXPECT_TRUE(joiner.dialogs.messages().empty());
}

// The talk line over the field: the talk keys open it (the team key with "/sayteam "), Enter
// sends it as the chat line would and gives the field the keyboard back, an empty line stays
// open, Escape closes it unsent, and each closing lets the talk key open it again.
TEST(HostAndJoin, TalkLineOverTheFieldSendsChatAndCommands)
{
    Player host("Host", "[Controls]\r\nItalk=84\r\nItalkteam=89\r\n");
    ASSERT_NE(host.hostOnFreePort(), 0) << host.chat().toStdString();
    host.clickPage(MenuBarButton::Fields);
    host.window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host.window()));
    FieldsPage& page = host.window().fieldsPage();
    FieldView& field = page.field(1);
    QLineEdit& talk = page.talkBox();
    const FieldKeyboard& keyboard = host.program->core().keyboard();
    const auto closedOnTheField = [&] {
        return !talk.isVisible() && talk.text().isEmpty() && field.hasFocus() && !keyboard.TalkActive();
    };
    // The talk key on the field opens the line, `text` is typed and Enter pressed.
    const auto talkOnce = [&](Qt::Key talkKey, const QString& text) {
        field.setFocus();
        QTest::keyClick(&field, talkKey);
        EXPECT_TRUE(talk.isVisible());
        EXPECT_TRUE(talk.hasFocus());
        QTest::keyClicks(&talk, text);
        QTest::keyClick(&talk, Qt::Key_Return);
    };

    talkOnce(Qt::Key_T, QStringLiteral("hello from the field"));
    ASSERT_TRUE(waitFor([&] { return host.chat().contains(QStringLiteral("<Host> hello from the field")); }))
        << host.chat().toStdString();
    EXPECT_TRUE(closedOnTheField());

    talkOnce(Qt::Key_T, QStringLiteral("/me jumps"));
    ASSERT_TRUE(waitFor([&] { return host.chat().contains(QStringLiteral("*Host jumps")); }))
        << host.chat().toStdString();
    EXPECT_TRUE(closedOnTheField());

    // Enter on an empty line leaves it open; Escape closes it and sends nothing.
    talkOnce(Qt::Key_T, QString());
    EXPECT_TRUE(talk.isVisible());
    EXPECT_TRUE(keyboard.TalkActive());
    QTest::keyClicks(&talk, QStringLiteral("never sent"));
    QTest::keyClick(&talk, Qt::Key_Escape);
    EXPECT_TRUE(closedOnTheField());

    // The team key starts the line with the team command.
    field.setFocus();
    QTest::keyClick(&field, Qt::Key_Y);
    EXPECT_EQ(talk.text(), QStringLiteral("/sayteam "));
    QTest::keyClick(&talk, Qt::Key_Escape);
    EXPECT_TRUE(closedOnTheField());

    // Once the connection is gone the line closes with the notice.
    const qsizetype notices = host.chat().count(QStringLiteral("*** Not connected to a server."));
    host.clickPage(MenuBarButton::Connect);
    ASSERT_TRUE(host.window().offline());
    host.clickPage(MenuBarButton::Fields);
    talkOnce(Qt::Key_T, QStringLiteral("anyone?"));
    EXPECT_EQ(host.chat().count(QStringLiteral("*** Not connected to a server.")), notices + 1);
    EXPECT_TRUE(closedOnTheField());
    EXPECT_FALSE(host.chat().contains(QStringLiteral("never sent")));
    EXPECT_FALSE(host.chat().contains(QStringLiteral("anyone?")));
    EXPECT_TRUE(host.dialogs.messages().empty());
}

TEST(HostAndJoin, TwoProgramsHostJoinPlayAndPart)
{
    Player host("Host");
    Player joiner("Joiner");

    // The host starts its server from the server page (on a busy machine another process may
    // take a free port first: a few are tried).
    host.clickPage(MenuBarButton::Server);
    ASSERT_EQ(host.window().CurrentScreen(), Screen::Server);
    ServerPage& serverPage = host.window().serverPage();
    quint16 port = 0;
    for (int attempt = 0; attempt < 5 && !host.program->server().isRunning(); ++attempt) {
        port = freePort();
        host.dialogs.calls.clear();
        Player::type(serverPage.portBox(), QString::number(port));
        QTest::mouseClick(&serverPage.startServerButton(), Qt::LeftButton);
    }
    ASSERT_TRUE(host.program->server().isRunning()) << host.dialogs.messages().size();
    EXPECT_EQ(serverPage.startServerButton().text(), QStringLiteral("Stop Server"));
    EXPECT_FALSE(serverPage.portBox().isEnabled());
    EXPECT_FALSE(serverPage.addressBox().text().isEmpty());
    EXPECT_EQ(host.program->options().network.port, std::to_string(port));

    // Both join from their connect pages and land on the chat page.
    host.connectTo(port);
    ASSERT_TRUE(waitFor([&] { return host.window().CurrentScreen() == Screen::Chat; }))
        << host.chat().toStdString();
    joiner.connectTo(port);
    ASSERT_TRUE(waitFor([&] { return joiner.window().CurrentScreen() == Screen::Chat; }))
        << joiner.chat().toStdString();
    EXPECT_TRUE(joiner.chat().contains(QStringLiteral("*** Connected to server(127.0.0.1:%1).").arg(port)));
    ASSERT_TRUE(waitFor([&] { return host.window().chatPage().spectatorList().count() == 2; }));
    EXPECT_TRUE(host.chat().contains(QStringLiteral("Joiner has connected")));
    EXPECT_FALSE(host.window().offline());
    EXPECT_EQ(joiner.window().connectPage().connectButton().text(), QStringLiteral("Disconnect"));

    // Each takes a playing spot.
    QTest::mouseClick(&host.window().chatPage().joinGameButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return host.client().roster().MySpot == 1; }));
    ASSERT_TRUE(waitFor([&] { return joiner.client().roster().spotPlayer(1) != -1; }));
    QTest::mouseClick(&joiner.window().chatPage().joinGameButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return joiner.client().roster().MySpot == 2; }));
    ASSERT_TRUE(waitFor([&] {
        QListWidget& players = host.window().chatPage().playerList();
        return players.count() == 6 && players.item(1)->text() == QStringLiteral("2. Joiner");
    }));
    EXPECT_EQ(host.window().chatPage().playerList().item(0)->text(), QStringLiteral("1. Host"));

    // A click on a rule box sends the settings to the joiner again.
    const auto settingsLines = [&] { return joiner.chat().count(QStringLiteral("*** Game Settings - ")); };
    const qsizetype before = settingsLines();
    ASSERT_GE(before, 1) << "the settings the joiner asked for";
    host.clickPage(MenuBarButton::Server);
    QTest::mouseClick(&serverPage.ruleBox(2), Qt::LeftButton, {}, QPoint(6, 6));
    ASSERT_TRUE(waitFor([&] { return settingsLines() == before + 1; }));

    // F2 on the host's field starts the game; both fields play.
    host.clickPage(MenuBarButton::Fields);
    QTest::keyClick(&host.window().fieldsPage().field(1), Qt::Key_F2);
    ASSERT_TRUE(waitFor([&] { return host.state().GameActive && joiner.state().GameActive; }));
    EXPECT_EQ(joiner.window().CurrentScreen(), Screen::Fields);
    const int hostStart = host.state().FallingPiece[1].Row;
    const int joinerStart = joiner.state().FallingPiece[1].Row;
    ASSERT_TRUE(waitFor([&] {
        return host.state().FallingPiece[1].Row >= hostStart + 2
            && joiner.state().FallingPiece[1].Row >= joinerStart + 2;
    })) << "pieces fall on both fields";

    // The joiner drops its piece; the host's board of spot 2 shows it.
    EXPECT_EQ(occupiedCells(host.client(), 2), 0);
    FieldView& joinerField = joiner.window().fieldsPage().field(1);
    QTest::keyPress(&joinerField, Qt::Key_Space);
    ASSERT_TRUE(waitFor([&] { return occupiedCells(host.client(), 2) >= 4; }));
    QTest::keyRelease(&joinerField, Qt::Key_Space);

    // The joiner leaves by its toolbar's connect button.
    joiner.clickPage(MenuBarButton::Connect);
    EXPECT_TRUE(joiner.window().offline());
    EXPECT_EQ(joiner.window().connectPage().connectButton().text(), QStringLiteral("Connect"));
    EXPECT_TRUE(joiner.chat().contains(QStringLiteral("*** Disconnected from server.")));
    ASSERT_TRUE(waitFor([&] { return host.chat().contains(QStringLiteral("Joiner has disconnected.")); }));
    ASSERT_TRUE(waitFor([&] {
        return host.window().chatPage().playerList().item(1)->text() == QStringLiteral("2. (Not Playing)");
    }));
    EXPECT_TRUE(joiner.dialogs.messages().empty());
}

// Three programs: chat reaches everybody, each takes a spot, a game starts on all three, a special
// one player sends lands on another's field and shows on every log and on the host's board of the
// target, a kick vote answered from the chat menus throws one out, and the last opponent leaving
// ends the game with the host as the winner.
TEST(HostAndJoin, ThreeProgramsChatPlayAndVoteAKick)
{
    Player host("Host");
    // First's key 3 sends the special at hand to spot 3.
    Player first("First", "[Controls]\r\nIspec3=51\r\n");
    Player second("Second");
    const quint16 port = host.hostOnFreePort();
    ASSERT_NE(port, 0) << host.chat().toStdString();
    for (Player* joiner : { &first, &second }) {
        joiner->connectTo(port);
        ASSERT_TRUE(waitFor([&] { return joiner->window().CurrentScreen() == Screen::Chat; }));
    }
    ASSERT_TRUE(waitFor([&] { return host.window().chatPage().spectatorList().count() == 3; }));

    second.say(QStringLiteral("hi all"));
    for (Player* player : { &host, &first, &second })
        ASSERT_TRUE(waitFor([&] { return player->chat().contains(QStringLiteral("<Second> hi all")); }));

    int spot = 0;
    for (Player* player : { &host, &first, &second }) {
        ++spot;
        QTest::mouseClick(&player->window().chatPage().joinGameButton(), Qt::LeftButton);
        ASSERT_TRUE(waitFor([&] { return player->client().roster().MySpot == spot; })) << spot;
        // The next one asks only once this spot is known to it.
        for (Player* other : { &host, &first, &second })
            ASSERT_TRUE(waitFor([&] { return other->client().roster().spotPlayer(spot) != -1; }));
    }

    host.clickPage(MenuBarButton::Fields);
    QTest::keyClick(&host.window().fieldsPage().field(1), Qt::Key_F2);
    ASSERT_TRUE(waitFor(
        [&] { return host.state().GameActive && first.state().GameActive && second.state().GameActive; }));

    // First holds an Add Line and sends it to spot 3 with its key: Second's field gets the line
    // (the bottom row full but for one hole), every log names the special, its target and its
    // sender, and the host's board of spot 3 shows the new row.
    testing::writableState(first.program->core().engine()).lstSpecials[1]
        = { int16_t(kFirstSpecialCode + int(SpecialType::AddLine)) };
    const int hostBoardBefore = occupiedCells(host.client(), 3);
    QTest::keyClick(&first.window().fieldsPage().field(1), Qt::Key_3);
    const QString specialLine = QStringLiteral("Addline on Second from First");
    for (Player* player : { &second, &host, &first })
        ASSERT_TRUE(waitFor([&] {
            return player->window().fieldsPage().specialsLog().toPlainText().contains(specialLine);
        })) << player->window().fieldsPage().specialsLog().toPlainText().toStdString();
    EXPECT_TRUE(first.state().lstSpecials[1].empty()) << "the special left the inventory";
    EXPECT_EQ(second.client().stats().SpecialsReceived, 1);
    int bottomCells = 0;
    for (int x = 0; x < kFieldColumns; ++x)
        bottomCells += second.state().FieldOccupied[1][size_t(x)][kFieldRows - 1] != 0;
    EXPECT_EQ(bottomCells, kFieldColumns - 1);
    ASSERT_TRUE(
        waitFor([&] { return occupiedCells(host.client(), 3) >= hostBoardBefore + kFieldColumns - 1; }));

    // The host calls a vote on Second; one yes is not a majority of three, two are.
    host.say(QStringLiteral("/callvote second"));
    ASSERT_TRUE(waitFor([&] { return first.chat().contains(QStringLiteral("has called a vote to kick")); }));
    const auto answer = [](Player& voter) {
        QMenu& menu = voter.program->chatMenus().chatMenu();
        for (QAction* action : menu.actions()) {
            if (action->text() == QStringLiteral("Vote Yes"))
                action->trigger();
        }
    };
    answer(host);
    ASSERT_TRUE(waitFor([&] { return first.chat().contains(QStringLiteral("Vote Update - Yes: 1 No: 0")); }))
        << first.chat().toStdString();
    EXPECT_TRUE(second.client().Connected());
    answer(first);
    ASSERT_TRUE(waitFor([&] { return host.chat().contains(QStringLiteral("Vote Passed!")); }));
    ASSERT_TRUE(waitFor([&] { return !second.client().Connected(); }));

    // First leaves too: the host is the one left playing, and wins.
    first.clickPage(MenuBarButton::Connect);
    ASSERT_TRUE(waitFor([&] { return host.chat().contains(QStringLiteral("*** Game Over - Winner(s): ")); }))
        << host.chat().toStdString();
    ASSERT_TRUE(waitFor([&] { return !host.state().GameActive; }));
}

} // namespace
} // namespace kalvon

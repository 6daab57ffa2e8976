// Messages the server answers or relays: chat, actions, teams, private messages, requests,
// slots, specials, lines and the field switch.

#include "servertest.h"

#include "net/wire/codes.h"
#include "net/wire/field.h"
#include "net/wire/gameoptions.h"

#include <QTest>

using namespace kalvon;
using namespace kalvon::testing;
namespace toClient = kalvon::wire::toClient;

TEST_F(ServerTest, ChatActionTeamAndLevelReachEveryoneSenderIncluded)
{
    startServer();
    join("Ann");
    Player& bob = join("Bob");
    Player& cy = join("Cy");

    bob->sendLine("*;hi; there \xe9");
    expectAllGet(msg(toClient::MsgChatLine, pc(2) + "hi; there \xe9"));
    bob->sendLine("Y;waves");
    expectAllGet(msg(toClient::MsgActionLine, pc(2) + "waves"));
    cy->sendLine(msg('K', pc(5)));
    expectAllGet(msg(toClient::MsgCommonLevel, pc(5)));
    cy->sendLine("&;blue");
    expectAllGet(msg(toClient::MsgTeamChanged, pc(3) + "blue"));
    EXPECT_EQ(server->client(3).Team, "blue");
    expectQuiet();
}

TEST_F(ServerTest, TeamChatReachesTeammatesIgnoringCase)
{
    startServer();
    Player& ann = join("Ann", "red");
    Player& bob = join("Bob", "RED");
    join("Cy", "blue");
    Player& dee = join("Dee");

    ann->sendLine("d;go left");
    const Bytes line = msg(toClient::MsgChatLine, pc(1) + "go left");
    EXPECT_LINE(ann, line);
    EXPECT_LINE(bob, line);
    dee->sendLine("d;anyone?"); // no team: only the sender
    EXPECT_LINE(dee, msg(toClient::MsgChatLine, pc(4) + "anyone?"));
    expectQuiet();
}

TEST_F(ServerTest, PrivateMessagesGoToTheAddresseeOnly)
{
    startServer();
    join("Ann");
    Player& bob = join("Bob");
    Player& cy = join("Cy");

    cy->sendLine("f;bob\thello\tthere");
    EXPECT_LINE(bob, msg(toClient::MsgPrivateLine, pc(3) + "hello\tthere"));
    cy->sendLine("f;nobody\thello"); // no such name: nothing at all
    cy->sendLine("f;Bob\thello");    // the addressee arrives in lower case
    cy->sendLine("f;bob");           // no TAB
    expectQuiet();
}

TEST_F(ServerTest, IndexAndSettingsRequests)
{
    startServer();
    Player& ann = join("Ann");
    Player& bob = join("Bob");
    bob->sendLine(")");
    EXPECT_LINE(bob, msg(toClient::MsgYourIndex, pc(2)));

    options.rules.maxspecials = 16;
    options.rules.startheight[3] = 5;
    const Bytes settings = msg(toClient::MsgGameSettings, wire::BuildGameOptions(options.rules));
    ann->sendLine("/");
    EXPECT_LINE(ann, settings);
    server->broadcastGameSettings();
    expectAllGet(settings);
    expectQuiet();
}

TEST_F(ServerTest, SlotsAreTakenFreedAndRefused)
{
    startServer();
    Player& ann = join("Ann");
    Player& bob = join("Bob");

    takeSlot(ann, 1);
    bob->sendLine(msg('Z', pc(1)));
    EXPECT_LINE(bob, "[");
    ann->sendLine(msg('Z', pc(1))); // the requester's own slot is taken too
    EXPECT_LINE(ann, "[");
    takeSlot(ann, 3); // moving frees the old slot
    EXPECT_EQ(server->PlayerSlot(1), -1);
    EXPECT_EQ(server->PlayerSlot(3), ann.index);
    takeSlot(bob, 1);

    ann->sendLine(msg('Z', pc(0)));
    expectAllGet(msg(toClient::MsgSpotChanged, pc(1) + pc(0)));
    EXPECT_EQ(server->PlayerSlot(3), -1);
    EXPECT_TRUE(server->client(ann.index).Spectator);

    // The host moves a player as if it had asked itself.
    server->ServerMsgTakeSlot(ann.index, pc(6));
    expectAllGet(msg(toClient::MsgSpotChanged, pc(1) + pc(6)));

    for (const Bytes& bad : {msg('Z', pc(7)), msg('Z', pc(-1)), msg('Z', ""), Bytes("Z"), msg('Z', pc(2) + pc(2))})
        bob->sendLine(bad);
    expectQuiet();
    EXPECT_EQ(server->PlayerSlot(1), bob.index);
}

TEST_F(ServerTest, SpecialsAndLinesGoToTheOthersWithTheSender)
{
    startServer();
    Player& ann = join("Ann");
    Player& bob = join("Bob");
    Player& cy = join("Cy");
    for (char code : Bytes("678=A@:RBCD9<EeF")) {
        SCOPED_TRACE(code);
        bob->sendLine(msg(code, pc(1)));
        const Bytes relayed = msg(code, pc(2) + pc(1));
        EXPECT_LINE(ann, relayed);
        EXPECT_LINE(cy, relayed);
        bob->sendLine(Bytes(1, code));
        bob->sendLine(msg(code, pc(1) + pc(3)));
    }
    expectQuiet();
}

TEST_F(ServerTest, FieldSwitchSendsEachSideTheOthersField)
{
    startServer();
    Player& ann = join("Ann");
    Player& bob = join("Bob");
    Player& cy = join("Cy");
    takeSlot(ann, 1);
    takeSlot(bob, 2);
    startGame(ann);

    wire::FieldCells annField;
    annField.set(0, 21, 3);
    wire::FieldCells bobField;
    bobField.set(5, 5, 6);
    ann->sendLine(msg('5', wire::encodeFieldDiff({{0, 21, 3}})));
    bob->sendLine(msg('5', wire::encodeFieldDiff({{5, 5, 6}})));
    QTest::qWait(100);
    clearAll();

    ann->sendLine(msg('>', pc(bob.index)));
    const Bytes relayed = msg('>', pc(ann.index) + pc(bob.index));
    EXPECT_LINE(bob, relayed);
    EXPECT_LINE(cy, relayed);
    EXPECT_LINE(bob, msg(toClient::MsgSwapField, wire::encodeFieldDump(annField)));
    EXPECT_LINE(ann, msg(toClient::MsgSwapField, wire::encodeFieldDump(bobField)));

    // On oneself, or on a player without a slot: relayed, no fields exchanged.
    ann->sendLine(msg('>', pc(ann.index)));
    EXPECT_LINE(bob, msg('>', pc(ann.index) + pc(ann.index)));
    EXPECT_LINE(cy, msg('>', pc(ann.index) + pc(ann.index)));
    ann->sendLine(msg('>', pc(cy.index)));
    EXPECT_LINE(bob, msg('>', pc(ann.index) + pc(cy.index)));
    EXPECT_LINE(cy, msg('>', pc(ann.index) + pc(cy.index)));
    expectQuiet();
}

// Messages the server answers or relays: chat, actions, teams, private messages, requests,
// slots, specials, lines and the field switch.

#include "net/wire/toclient.h"
#include "net/wire/toserver.h"
#include "roomtest.h"

using namespace kalvon;
using namespace kalvon::testing;
namespace toClient = kalvon::wire::toClient;
namespace toServer = kalvon::wire::toServer;

TEST_F(RoomTest, ChatActionTeamAndLevelReachEveryoneSenderIncluded)
{
    openRoom();
    join("Ann");
    Player& bob = join("Bob");
    Player& cy = join("Cy");

    bob->sendLine(encode(toServer::Chat{ "hi; there \xe9" }));
    expectAllGet(encode(toClient::ChatLine{ 2, "hi; there \xe9" }));
    bob->sendLine(encode(toServer::Action{ "waves" }));
    expectAllGet(encode(toClient::ActionLine{ 2, "waves" }));
    cy->sendLine(encode(toServer::CommonLevel{ 5 }));
    expectAllGet(encode(toClient::CommonLevel{ 5 }));
    cy->sendLine(encode(toServer::SetTeam{ "blue" }));
    expectAllGet(encode(toClient::TeamChanged{ 3, "blue" }));
    EXPECT_EQ(room->client(3).Team, "blue");
    expectQuiet();
}

TEST_F(RoomTest, TeamChatReachesTeammatesIgnoringCase)
{
    openRoom();
    Player& ann = join("Ann", "red");
    Player& bob = join("Bob", "RED");
    join("Cy", "blue");
    Player& dee = join("Dee");

    ann->sendLine(encode(toServer::TeamChat{ "go left" }));
    const Bytes line = encode(toClient::ChatLine{ 1, "go left" });
    EXPECT_LINE(ann, line);
    EXPECT_LINE(bob, line);
    dee->sendLine(encode(toServer::TeamChat{ "anyone?" })); // no team: only the sender
    EXPECT_LINE(dee, encode(toClient::ChatLine{ 4, "anyone?" }));
    expectQuiet();
}

TEST_F(RoomTest, PrivateMessagesGoToTheAddresseeOnly)
{
    openRoom();
    join("Ann");
    Player& bob = join("Bob");
    Player& cy = join("Cy");

    cy->sendLine(encode(toServer::Private{ "bob", "hello\tthere" }));
    EXPECT_LINE(bob, encode(toClient::PrivateLine{ 3, "hello\tthere" }));
    cy->sendLine(encode(toServer::Private{ "nobody", "hello" })); // no such name: nothing at all
    cy->sendLine(encode(toServer::Private{ "Bob", "hello" })); // the addressee arrives in lower case
    cy->sendLine(msg(toServer::MsgPrivate, "bob")); // no TAB
    expectQuiet();
}

TEST_F(RoomTest, IndexAndSettingsRequests)
{
    openRoom();
    Player& ann = join("Ann");
    Player& bob = join("Bob");
    bob->sendLine(encode(toServer::RequestIndex{}));
    EXPECT_LINE(bob, encode(toClient::YourIndex{ 2 }));

    options.rules.maxspecials = 16;
    options.rules.startheight[3] = 5;
    const Bytes settings = encode(toClient::GameSettings{ options.rules });
    ann->sendLine(encode(toServer::RequestSettings{}));
    EXPECT_LINE(ann, settings);
    room->broadcastGameSettings();
    expectAllGet(settings);
    expectQuiet();
}

TEST_F(RoomTest, SlotsAreTakenFreedAndRefused)
{
    openRoom();
    Player& ann = join("Ann");
    Player& bob = join("Bob");

    takeSlot(ann, 1);
    const Bytes spotTaken = encode(toClient::SpotTaken{});
    bob->sendLine(encode(toServer::TakeSpot{ 1 }));
    EXPECT_LINE(bob, spotTaken);
    ann->sendLine(encode(toServer::TakeSpot{ 1 })); // the requester's own slot is taken too
    EXPECT_LINE(ann, spotTaken);
    takeSlot(ann, 3); // moving frees the old slot
    EXPECT_EQ(room->PlayerSlot(1), -1);
    EXPECT_EQ(room->PlayerSlot(3), ann.index);
    takeSlot(bob, 1);

    ann->sendLine(encode(toServer::TakeSpot{ 0 }));
    expectAllGet(encode(toClient::SpotChanged{ 1, 0 }));
    EXPECT_EQ(room->PlayerSlot(3), -1);
    EXPECT_TRUE(room->client(ann.index).Spectator);

    // The host moves a player as if it had asked itself.
    room->ServerMsgTakeSlot(ann.index, 6);
    expectAllGet(encode(toClient::SpotChanged{ 1, 6 }));

    for (const Bytes& bad :
        { encode(toServer::TakeSpot{ 7 }), encode(toServer::TakeSpot{ -1 }), msg(toServer::MsgTakeSpot, ""),
            Bytes(1, toServer::MsgTakeSpot), msg(toServer::MsgTakeSpot, pc(2) + pc(2)) })
        bob->sendLine(bad);
    expectQuiet();
    EXPECT_EQ(room->PlayerSlot(1), bob.index);
}

TEST_F(RoomTest, SpecialsAndLinesGoToTheOthersWithTheSender)
{
    openRoom();
    Player& ann = join("Ann");
    Player& bob = join("Bob");
    Player& cy = join("Cy");
    struct Case {
        Bytes sent;
        Bytes relayed;
        char code;
    };
    std::vector<Case> cases = { { encode(toServer::LinesToAll{ 1 }), encode(toClient::LinesRelay{ 2, 1 }),
        toServer::MsgLinesToAll } };
    for (int i = 0; i < kSpecialTypes; ++i) {
        const auto special = static_cast<SpecialType>(i);
        if (special != SpecialType::SwitchBlocks)
            cases.push_back({ encode(toServer::Special{ special, 1 }),
                encode(toClient::SpecialRelay{ special, 2, 1 }), wire::specialCode(special) });
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        bob->sendLine(c.sent);
        EXPECT_LINE(ann, c.relayed);
        EXPECT_LINE(cy, c.relayed);
        // Without the one byte of the target or the lines, or with two: not relayed.
        bob->sendLine(Bytes(1, c.code));
        bob->sendLine(msg(c.code, pc(1) + pc(3)));
    }
    expectQuiet();
}

TEST_F(RoomTest, FieldSwitchSendsEachSideTheOthersField)
{
    openRoom();
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
    ann->sendLine(encode(toServer::FieldUpdate{ { { 0, 21, 3 } } }));
    bob->sendLine(encode(toServer::FieldUpdate{ { { 5, 5, 6 } } }));
    clearAll();

    const auto switchOn = [](int target) {
        return encode(toServer::Special{ SpecialType::SwitchBlocks, target });
    };
    const auto switched = [](int sender, int target) {
        return encode(toClient::SpecialRelay{ SpecialType::SwitchBlocks, sender, target });
    };
    ann->sendLine(switchOn(bob.index));
    const Bytes relayed = switched(ann.index, bob.index);
    EXPECT_LINE(bob, relayed);
    EXPECT_LINE(cy, relayed);
    EXPECT_LINE(bob, encode(toClient::SwapField{ annField }));
    EXPECT_LINE(ann, encode(toClient::SwapField{ bobField }));

    // On oneself, or on a player without a slot: relayed, no fields exchanged.
    ann->sendLine(switchOn(ann.index));
    EXPECT_LINE(bob, switched(ann.index, ann.index));
    EXPECT_LINE(cy, switched(ann.index, ann.index));
    ann->sendLine(switchOn(cy.index));
    EXPECT_LINE(bob, switched(ann.index, cy.index));
    EXPECT_LINE(cy, switched(ann.index, cy.index));
    expectQuiet();
}

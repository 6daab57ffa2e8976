// Specials and lines between clients: each of the sixteen received on this client, those aimed
// at others with their board markers, lines added to all, and a special used by this client.

#include "clienttest.h"

using namespace kalvon;
using namespace kalvon::testing;
namespace toClient = kalvon::wire::toClient;
namespace toServer = kalvon::wire::toServer;

namespace {

Bytes special(SpecialType type, int sender, int target)
{
    return encode(toClient::SpecialRelay{ type, sender, target });
}

const Bytes kNoChange = encode(toServer::FieldUpdate{});

std::vector<ChatRun> logLine(BytesView word, ChatColour colour, BytesView target, BytesView sender)
{
    return { { "\r\n" + Bytes(word), true, colour }, { " on ", false, ChatColour::Normal },
        { Bytes(target), true, ChatColour::SpecialTarget }, { " from ", false, ChatColour::Normal },
        { Bytes(sender), true, ChatColour::SpecialUser } };
}

} // namespace

TEST_F(ClientTest, EachSpecialReceivedActsOnTheLocalField)
{
    seat(1);
    wire::HostRules rules;
    rules.specials = 1;
    startGame(rules);
    state().Options.sounds = true;

    struct Case {
        SpecialType special;
        const char* word;
        ChatColour colour;
        std::vector<std::string> effects; // the Drop Block is the engine's own hard drop
        bool revenge;
        std::vector<SoundSlot> sounds;
        int updates; // field reports sent
    };
    const auto bad = ChatColour::SpecialBad;
    const auto good = ChatColour::SpecialGood;
    const std::vector<Case> cases = {
        { SpecialType::AddLine, "Addline", bad, { "AddLine 1" }, false, {}, 1 },
        { SpecialType::ClearLine, "Clear Line", good, { "ClearLine 1" }, false, {}, 1 },
        { SpecialType::NukeField, "Nuke Field", good, { "NukeField 1" }, false, {}, 1 },
        { SpecialType::RandomClear, "Random Blocks Clear", bad, { "RandomClear 1" }, true, {}, 1 },
        { SpecialType::SwitchBlocks, "Switch Field", bad, {}, false, {}, 0 },
        { SpecialType::ClearSpecials, "Clear Special Blocks", bad, { "ClearSpecials 1" }, true, {}, 1 },
        { SpecialType::BlockGravity, "Gravity", good, { "BlockGravity 1" }, false, { SoundSlot::LineClear },
            1 },
        { SpecialType::BlockQuake, "Block Quake", bad, { "BlockQuake 1" }, true, {}, 1 },
        { SpecialType::PushField, "Push Field", good, { "PushField 1" }, false, { SoundSlot::LineClear }, 1 },
        { SpecialType::FlashScreen, "Flash Screen", bad, { "FlashScreen 1" }, true, {}, 1 },
        { SpecialType::DropBlock, "Drop Block", bad, {}, true, { SoundSlot::Drop }, 2 },
        { SpecialType::GiveLine, "Give Line", good, { "GiveLine 1" }, false, {}, 1 },
        { SpecialType::Tremor, "Tremor", bad, { "StartTremor 1" }, true, {}, 1 },
        { SpecialType::VerticalClear, "Vertical Line Clear", bad, { "VerticalClear 1" }, true, {}, 1 },
        { SpecialType::BlockBomb, "Block Bomb", bad, { "ExplodeBombBlocks 1" }, true, {}, 1 },
        { SpecialType::HolyShield, "Holy Shield", good, { "HolyShield 1" }, true, {}, 0 },
    };
    int revengeSlot = client.RevengeSlot();
    int fromTeammate = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        // Bob (spot 2, on this client's team) and Cy (spot 4) take turns, so that a special
        // that must not change the revenge target would show it.
        const bool fromBob = c.revenge ? revengeSlot != 2 : revengeSlot == 4;
        const int sender = fromBob ? 2 : 3;
        view.chat.clear();
        rig.host.sounds.clear();
        rig.effects.calls.clear();
        const bool pieceBefore = state().PieceInPlay[1];

        const std::vector<Bytes> sent = deliver({ special(c.special, sender, 1) });
        EXPECT_EQ(rig.effects.calls, c.effects);
        EXPECT_EQ(view.chat, logLine(c.word, c.colour, "Ann", fromBob ? "Bob" : "Cy"));
        EXPECT_EQ(rig.host.sounds, c.sounds);
        if (c.revenge)
            revengeSlot = fromBob ? 2 : 4;
        EXPECT_EQ(client.RevengeSlot(), revengeSlot);
        ASSERT_EQ(sent.size(), static_cast<std::size_t>(c.updates));
        // Only the hard drop changed the field: its landing is reported, then nothing more.
        if (c.special == SpecialType::DropBlock) {
            EXPECT_TRUE(pieceBefore);
            EXPECT_NE(sent[0], kNoChange);
            EXPECT_EQ(sent[1], kNoChange);
        } else {
            EXPECT_EQ(sent, std::vector<Bytes>(sent.size(), kNoChange));
        }
        fromTeammate += fromBob && c.special != SpecialType::AddLine;
    }
    EXPECT_EQ(client.stats().SpecialsReceived, 16);
    EXPECT_EQ(client.stats().TeamSpecialsReceived, fromTeammate);
}

TEST_F(ClientTest, SpecialsOnOthersAreLoggedAndMarkTheirBoards)
{
    seat(1);
    startGame();
    clock.set(50000);
    view.clear();
    // Bob -> Cy: Tremor and Flash Screen show on Cy's board 3 at once.
    EXPECT_EQ(deliver({ special(SpecialType::Tremor, 2, 3), special(SpecialType::FlashScreen, 2, 3) }),
        std::vector<Bytes>{});
    EXPECT_EQ(view.calls,
        (std::vector<std::string>{ "UpdateInternetFieldBlocks 3", "DrawNetPlayerField 3",
            "UpdateInternetFieldBlocks 3", "DrawNetPlayerField 3" }));
    // Cy -> Bob: the Holy Shield goes on Bob's board 1 and waits for the next tick's drawing.
    view.calls.clear();
    EXPECT_EQ(deliver({ special(SpecialType::HolyShield, 3, 2), special(SpecialType::ClearSpecials, 3, 2) }),
        std::vector<Bytes>{});
    EXPECT_TRUE(view.calls.empty());
    // Add Line on someone else is still reported on: the field did not change.
    view.chat.clear();
    EXPECT_EQ(deliver({ special(SpecialType::AddLine, 3, 2) }), std::vector<Bytes>{ kNoChange });
    EXPECT_TRUE(rig.effects.calls.empty());
    EXPECT_EQ(client.stats().SpecialsReceived, 0);
    EXPECT_EQ(view.chat, logLine("Addline", ChatColour::SpecialBad, "Bob", "Cy"));

    const OpponentBoards& boards = client.boards();
    EXPECT_TRUE(boards.NetTremorActive[3]);
    EXPECT_TRUE(boards.NetFlashActive[3]);
    EXPECT_TRUE(boards.NetShieldActive[1]);
    EXPECT_EQ(boards.NetShieldStart[1], 50000);
    EXPECT_FALSE(boards.NetShieldActive[3]);
    EXPECT_FALSE(boards.NetTremorActive[1]);
    // The markers are drawn over the top row; the cells stay as they are.
    EXPECT_EQ(boards.InetFieldOccupied[3][10][0], kCellEmpty);

    // A Holy Shield on an opponent refuses this client's specials to him.
    state().lstSpecials[1] = { 6 };
    client.SendSpecial(2);
    EXPECT_EQ(deliver({}), std::vector<Bytes>{});
    EXPECT_EQ(state().lstSpecials[1], std::vector<int16_t>{ 6 });

    // The markers end after 7000 ms.
    OpponentBoards& mutableBoards = client.boards();
    EXPECT_EQ(mutableBoards.endTimedMarkers(56999), std::vector<int>{});
    EXPECT_EQ(mutableBoards.endTimedMarkers(57000), (std::vector<int>{ 1, 3 }));
    EXPECT_FALSE(boards.NetTremorActive[3] || boards.NetFlashActive[3] || boards.NetShieldActive[1]);
}

TEST_F(ClientTest, SpectatorMarksBoardsButNotTheBigFieldOrShields)
{
    seat(0);
    deliver({ encode(toClient::SpotChanged{ 3, 1 }) }); // Cy moves to spot 1, the big field
    startGame();
    view.calls.clear();
    deliver({ special(SpecialType::Tremor, 2, 3), special(SpecialType::HolyShield, 3, 2),
        special(SpecialType::FlashScreen, 3, 2) });
    // Bob in spot 2 is on board 1 of a spectator; Cy on the big field gets no marker.
    EXPECT_EQ(
        view.calls, (std::vector<std::string>{ "UpdateInternetFieldBlocks 1", "DrawNetPlayerField 1" }));
    EXPECT_TRUE(client.boards().NetFlashActive[1]);
    EXPECT_FALSE(client.boards().NetShieldActive[1]);
}

TEST_F(ClientTest, LinesAddedToAllReachTheOtherTeams)
{
    struct Case {
        const char* name;
        Bytes myTeam;
        Bytes senderTeam;
        int sender; // 1 is this client
        int spot; // this client's, 0 watches
        int count;
        bool added;
    };
    for (const Case& c : { Case{ "own lines", "red", "red", 1, 1, 4, false },
             Case{ "teammate, other case", "red", "RED", 2, 1, 2, false },
             Case{ "no teams at all", "", "\r", 2, 1, 1, true },
             Case{ "other team", "red", "blue", 3, 1, 2, true },
             Case{ "spectator", "", "\r", 2, 0, 1, false } }) {
        SCOPED_TRACE(c.name);
        seat(c.spot);
        client.applyTeam(c.myTeam);
        startGame();
        deliver({ encode(toClient::TeamChanged{ c.sender, c.senderTeam }) });
        view.chat.clear();
        rig.effects.calls.clear();

        const std::vector<Bytes> sent = deliver({ encode(toClient::LinesRelay{ c.sender, c.count }) });
        const Bytes name = c.sender == 1 ? "Ann" : c.sender == 2 ? "Bob" : "Cy";
        EXPECT_EQ(view.chat,
            (std::vector<ChatRun>{
                { "\r\n" + std::to_string(c.count) + (c.count < 2 ? " line added" : " lines added"), true,
                    ChatColour::SpecialBad },
                { " to ", false, ChatColour::Normal }, { "all", true, ChatColour::SpecialTarget },
                { " from ", false, ChatColour::Normal }, { name, true, ChatColour::SpecialUser } }));
        EXPECT_EQ(rig.effects.calls,
            std::vector<std::string>(c.added ? static_cast<std::size_t>(c.count) : 0u, "AddLine 1"));
        EXPECT_EQ(sent, c.added ? std::vector<Bytes>{ kNoChange } : std::vector<Bytes>{});
        EXPECT_EQ(client.TeamName(), c.myTeam.empty() ? Bytes("\r") : c.myTeam);
        client.disconnectFromServer();
    }
}

TEST_F(ClientTest, UsingASpecial)
{
    seat(1);
    startGame();

    // Refused without change: an empty spot, a dead player, an empty inventory, no game.
    struct Refusal {
        const char* name;
        int slot;
        std::function<void()> prepare;
    };
    const std::vector<Refusal> refusals = {
        { "empty spot", 3, [] {} },
        { "no spot", 7, [] {} },
        { "dead player", 4, [this] { deliver({ encode(toClient::PlayerOut{ 3 }) }); } },
        { "empty inventory", 2, [this] { state().lstSpecials[1].clear(); } },
        { "paused", 2, [this] { deliver({ encode(toClient::GamePaused{}) }); } },
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.name);
        state().lstSpecials[1] = { 7, 12, 21 };
        r.prepare();
        const auto inventory = state().lstSpecials[1];
        client.SendSpecial(r.slot);
        EXPECT_EQ(deliver({}), std::vector<Bytes>{});
        EXPECT_EQ(state().lstSpecials[1], inventory);
    }
    EXPECT_EQ(client.stats().SpecialsUsed, 0);

    // The Holy Shield at hand used on oneself: sent with the own index, applied and logged
    // here, since the server relays it only to the others.
    deliver({ encode(toClient::GameResumed{}) });
    state().lstSpecials[1] = { 7, 12, 21 };
    view.chat.clear();
    client.SendSpecial(1);
    EXPECT_EQ(deliver({}), std::vector<Bytes>{ encode(toServer::Special{ SpecialType::HolyShield, 1 }) });
    EXPECT_EQ(state().lstSpecials[1], (std::vector<int16_t>{ 7, 12 }));
    EXPECT_EQ(rig.host.label(LabelId::Spec, 1), "(Block Gravity)");
    EXPECT_EQ(rig.effects.calls, std::vector<std::string>{ "HolyShield 1" });
    EXPECT_EQ(view.chat, logLine("Holy Shield", ChatColour::SpecialGood, "Ann", "Ann"));
    const GameStats& stats = client.stats();
    EXPECT_EQ(stats.SpecialsUsed, 1);
    EXPECT_EQ(stats.SpecialsOnSelf, 1);
    EXPECT_EQ(stats.GoodSpecialsUsed, 1);
    EXPECT_EQ(stats.SpecialsOnTeammates, 1);
    EXPECT_EQ(stats.SpecialsReceived, 1);
    EXPECT_EQ(stats.TeamSpecialsReceived, 0);

    // Block Gravity on teammate Bob.
    client.SendSpecial(2);
    EXPECT_EQ(deliver({}), std::vector<Bytes>{ encode(toServer::Special{ SpecialType::BlockGravity, 2 }) });
    EXPECT_EQ(stats.SpecialsUsed, 2);
    EXPECT_EQ(stats.GoodSpecialsUsed, 2);
    EXPECT_EQ(stats.SpecialsOnTeammates, 2);
    EXPECT_EQ(stats.SpecialsOnSelf, 1);
    EXPECT_EQ(stats.SpecialsReceived, 1);
}

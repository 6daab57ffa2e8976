// The roster as the lists show it: records without a name (places departed players left) are
// neither players nor spectators, and indices, slots and boards from the server are checked.

#include "clienttest.h"

using namespace kalvon;
using namespace kalvon::testing;
namespace toClient = kalvon::wire::toClient;

TEST(ClientRosterLists, UnnamedOrFreeRecordsAreNotListed)
{
    ClientRoster roster;
    for (auto [index, name, connected] : { std::tuple{ 1, "Bob", true }, std::tuple{ 2, "", true },
             std::tuple{ 3, "Cy", false }, std::tuple{ 4, "Di", true } }) {
        PlayerInfo* info = roster.recordFor(index);
        info->Name = name;
        info->Connected = connected;
        info->Spectator = true;
    }
    roster.setSpotPlayer(1, 2);
    roster.setSpotPlayer(2, 4);
    roster.player(4)->Spectator = false;
    roster.player(4)->Team = "red";
    EXPECT_EQ(roster.spectatorNames(), std::vector<Bytes>{ "Bob" });
    const std::vector<Bytes> lines = roster.playerListLines();
    EXPECT_EQ(lines.at(0), "1. (Not Playing)");
    EXPECT_EQ(lines.at(1), "2. Di - red");
}

TEST_F(ClientTest, BlankRosterRecordsOfDepartedPlayersStayOutOfTheLists)
{
    join(3, {}, false, { rosterRecord(1, "Bob"), rosterRecord(2, "") });
    EXPECT_EQ(view.spectatorList, (std::vector<Bytes>{ "Bob", "Ann" }));
    deliver({ encode(toClient::PlayerJoined{ 2, "", Bytes(wire::kNoTeam) }) });
    EXPECT_TRUE(view.chatLines().empty());
    EXPECT_EQ(view.spectatorList, (std::vector<Bytes>{ "Bob", "Ann" }));
    // The place is taken again by a named player.
    deliver({ encode(toClient::PlayerJoined{ 2, "Cy", Bytes(wire::kNoTeam) }) });
    EXPECT_EQ(view.spectatorList, (std::vector<Bytes>{ "Bob", "Cy", "Ann" }));
}

TEST_F(ClientTest, SlotsAndPlayersOutsideTheirRangesAreSkipped)
{
    join(1, { 0, 2, 0, 0, 0, 0 }, false, { rosterRecord(2, "Bob") });
    const std::vector<Bytes> before = view.playerList;
    // Slot 7, slot -1, an unknown player, and a player index beyond the roster.
    deliver({ wire::makeLine(wire::toClient::MsgSpotChanged, Bytes{ byteChar(152), byteChar(157) }),
        wire::makeLine(wire::toClient::MsgSpotChanged, Bytes{ byteChar(152), byteChar(149) }),
        encode(toClient::SpotChanged{ 9, 3 }), encode(toClient::PlayerOut{ 40 }),
        encode(toClient::FullField{ 9, {} }) });
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(client.roster().spotPlayer(2), 2);
    EXPECT_EQ(client.roster().spotPlayer(3), kNoPlayer);
    // A spectator's board is no board: its field messages change nothing.
    deliver({ encode(toClient::FullField{ 1, {} }) });
    EXPECT_TRUE(view.calls.empty());
}

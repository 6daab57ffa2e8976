// The administration items: the host acting on its own room (ban with its waits, kick, move as
// a slot request), the administrator's requests with the name in lower case, the selection
// messages, and a client that is neither.

#include "net/clientroster.h"
#include "net/playeradministration.h"
#include "net/wire/toclient.h"
#include "roomtest.h"
#include "testlines.h"

using namespace kalvon;
using namespace kalvon::testing;
namespace toClient = kalvon::wire::toClient;

namespace {

class AdministrationTest : public RoomTest {
protected:
    AdministrationTest() { openRoom(); }

    ClientRoster roster;
    bool admin = false;
    bool hosting = true;
    std::vector<Bytes> sent, errors;
    // The ban list as the server page shows it, taken each time it is said to have changed.
    std::vector<Bytes> bansShown;
    PlayerAdministration menus{ { roster, [this] { return hosting ? room.get() : nullptr; },
        [this] { return admin; }, [this](BytesView line) { sent.emplace_back(line); },
        [this](BytesView text) { errors.emplace_back(text); }, [this] { bansShown = bans.entries(); } } };
};

} // namespace

TEST_F(AdministrationTest, HostBansKicksAndMovesItsOwnPlayers)
{
    Player& ann = join("Ann");
    Player& bob = join("Bob");
    Player& cy = join("Cy");
    takeSlot(bob, 3);
    clearAll();

    // Move Player: the player in slot 3 (row 2) to slot 5, as if Bob had asked.
    menus.movePlayer(2, 5);
    expectAllGet(encode(toClient::SpotChanged{ bob.index, 5 }));
    EXPECT_EQ(room->PlayerSlot(5), bob.index);

    // Ban Player waits 100 ms; Ban Spectator (by name, any case) 1000 ms.
    menus.banPlayer(4);
    EXPECT_LINE(bob, encode(toClient::Banned{}));
    expectClosedAfter(*bob.peer, PlayerAdministration::kPlayerBanWaitMs);
    clearAll();
    menus.banSpectator("CY");
    EXPECT_LINE(cy, encode(toClient::Banned{}));
    expectClosedAfter(*cy.peer, PlayerAdministration::kSpectatorBanWaitMs);
    EXPECT_EQ(bans.entries().size(), 2u);
    EXPECT_EQ(bansShown, bans.entries()) << "the page shows every ban";

    // Kick Spectator: the server's disconnection after its kick wait.
    clearAll();
    menus.kickSpectator("ann");
    EXPECT_LINE(ann, encode(toClient::Kicked{}));
    expectClosedAfter(*ann.peer, ServerRoom::Timing{}.kickWaitMs);
    EXPECT_EQ(room->findClient("Ann"), 0);
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(sent.empty());
}

// The server page's user box names a user in any case: ban waits as for a spectator, kick as
// the server's own kick.
TEST_F(AdministrationTest, ServerPageBansAndKicksTheNamedUser)
{
    Player& dan = join("Dan");
    Player& eve = join("Eve");
    takeSlot(dan, 2);
    clearAll();
    menus.banUser("dAN");
    EXPECT_LINE(dan, encode(toClient::Banned{}));
    expectClosedAfter(*dan.peer, PlayerAdministration::kSpectatorBanWaitMs);
    EXPECT_EQ(bans.entries().size(), 1u);
    EXPECT_EQ(bansShown, bans.entries());

    clearAll();
    menus.kickUser("EVE");
    EXPECT_LINE(eve, encode(toClient::Kicked{}));
    expectClosedAfter(*eve.peer, ServerRoom::Timing{}.kickWaitMs);
    EXPECT_EQ(bans.entries().size(), 1u) << "a kick bans nobody";
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(sent.empty());
}

TEST_F(AdministrationTest, SelectionTestsShowTheirMessagesAndDoNothing)
{
    join("Ann");
    clearAll();
    menus.banPlayer(0); // slot 1 is free
    menus.kickPlayer(7); // no such row
    menus.movePlayer(1, 3);
    menus.banSpectator("");
    menus.kickSpectator("");
    menus.moveSpectator("", 2);
    menus.banUser("");
    menus.kickUser("");
    EXPECT_EQ(errors,
        (std::vector<Bytes>{ "You need to select a player to ban!", "You need to select a player to kick!",
            "You need to select a player to move!", "You need to select a spectator to ban!",
            "You need to select a spectator to kick!", "You need to select a spectator to move!",
            "Select a user to ban!", "Select a user to kick!" }));
    // A name that matches nobody does nothing and says nothing.
    errors.clear();
    menus.banUser("nobody");
    menus.kickSpectator("nobody");
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(bans.entries().empty());
    EXPECT_TRUE(bansShown.empty());
    expectQuiet();
}

TEST_F(AdministrationTest, AdministratorSendsRequestsWithTheNameInLowerCase)
{
    admin = true;
    roster.recordFor(4)->Name = "BoB";
    roster.setSpotPlayer(3, 4);
    menus.movePlayer(2, 3);
    menus.movePlayer(2, 0);
    menus.moveSpectator("Cy", 6);
    menus.banPlayer(2);
    menus.kickSpectator("Cy");
    EXPECT_EQ(sent,
        (std::vector<Bytes>{
            "};" + pc(3) + "bob", "};" + pc(0) + "bob", "};" + pc(6) + "cy", ",;bob", "U;cy" }));
    expectQuiet();
}

TEST_F(AdministrationTest, AClientThatNeitherHostsNorAdministersDoesNothing)
{
    join("Ann");
    clearAll();
    hosting = false;
    roster.recordFor(1)->Name = "Ann";
    roster.setSpotPlayer(1, 1);
    menus.banPlayer(0);
    menus.kickSpectator("Ann");
    EXPECT_TRUE(sent.empty());
    expectQuiet();
}

TEST_F(AdministrationTest, MenuAvailability)
{
    roster.setSpotPlayer(2, 5);
    EXPECT_TRUE(menus.joinGameAvailable(0, true));
    EXPECT_FALSE(menus.joinGameAvailable(1, true));
    EXPECT_FALSE(menus.joinGameAvailable(0, false));
    EXPECT_FALSE(menus.joinGameAvailable(6, true));
    EXPECT_EQ(menus.moveTargets(1), (std::array<bool, 7>{ false, true, false, true, true, true, true }));
}

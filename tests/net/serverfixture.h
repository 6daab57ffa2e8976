#pragma once
// What the server tests share, whether they drive the room directly or the server over
// loopback sockets: the host's options and ban list, a scripted dialogs fake, a fake clock,
// and players who join, take slots, call votes and start games.

#include "net/banlist.h"
#include "net/hostoptions.h"
#include "net/wire/names.h"
#include "serverpeer.h"
#include "support/fakeclock.h"
#include "support/scripteddialogs.h"
#include "testlines.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace kalvon::testing {

struct Player {
    int index = 0;
    Bytes name;
    std::unique_ptr<ServerPeer> peer;
    // The whole fields ("W") that followed the welcome when a game was running.
    std::vector<Bytes> fullFields;
    ServerPeer* operator->() const { return peer.get(); }
};

class ServerFixture : public ::testing::Test {
protected:
    // A new connection to the server under test.
    virtual std::unique_ptr<ServerPeer> connectPeer() = 0;

    // Connects and logs in; reads the newcomer's lines up to its welcome and the whole fields
    // after it, and takes the "Q" notice from every player already in.
    Player& join(BytesView name, BytesView team = wire::kNoTeam);
    // Takes a slot and takes the "Z" notice from every player.
    void takeSlot(Player& player, int slot);
    // `caller` calls a kick vote on `subject`; every other player gets the announcement.
    void callKickVote(Player& caller, Player& subject);
    // The slot-1 holder starts a game; every player gets the start line.
    void startGame(Player& slotOneHolder);
    Bytes gameStartedLine() const;
    // The next line of every player must be `line`.
    void expectAllGet(BytesView line);
    void clearAll();

    HostOptions options;
    BanList bans;
    ScriptedDialogs dialogs;
    FakeClock clock;
    std::vector<std::unique_ptr<Player>> players;
};

} // namespace kalvon::testing

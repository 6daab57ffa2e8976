#pragma once
// The fixture of the server tests: a GameServer on a free loopback port with short waits,
// a scripted dialogs fake, a fake clock, and raw clients that join it.

#include "net/banlist.h"
#include "net/gameserver.h"
#include "net/hostoptions.h"
#include "net/wire/names.h"
#include "support/fakeclock.h"
#include "support/scripteddialogs.h"
#include "wireclient.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace kalvon::testing {

struct Player {
    int index = 0;
    Bytes name;
    std::unique_ptr<WireClient> wire;
    // The whole fields ("W") that followed the welcome when a game was running.
    std::vector<Bytes> fullFields;
    WireClient* operator->() const { return wire.get(); }
};

class ServerTest : public ::testing::Test {
protected:
    static GameServer::Timing fastTiming();
    // A port nobody listens on right now.
    static quint16 freePort();

    // Starts the server with the given client limit; fails the test when it does not start.
    void startServer(BytesView maxClients = "6", GameServer::Timing timing = fastTiming());

    std::unique_ptr<WireClient> connectRaw() const;
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
    // None of the players receives anything within a short while.
    void expectQuiet(int ms = 150);
    void clearAll();

    HostOptions options;
    BanList bans;
    ScriptedDialogs dialogs;
    FakeClock clock;
    std::unique_ptr<GameServer> server;
    quint16 port = 0;
    std::vector<std::unique_ptr<Player>> players;
};

// The printable form of a line for failure messages: bytes outside ASCII as \xNN.
std::string show(BytesView line);

#define EXPECT_LINE(client, expected)                                                                        \
    do {                                                                                                     \
        const auto got_ = (client)->nextLine();                                                              \
        EXPECT_EQ(show(got_.value_or("<nothing>")), show(expected));                                         \
    } while (false)

} // namespace kalvon::testing

#pragma once
// The fixture of the internet client's tests: a client with a recording view and an engine
// with recording fakes (in internet mode, no game running), wired as the window wires them,
// and a scripted fake server on loopback.

#include "boardcells.h"
#include "fakeserver.h"
#include "net/internetclient.h"
#include "net/wire/field.h"
#include "net/wire/gameoptions.h"
#include "net/wire/names.h"
#include "net/wire/toclient.h"
#include "net/wire/toserver.h"
#include "support/enginefakes.h"
#include "support/fakeclock.h"
#include "support/recordingclientview.h"
#include "testlines.h"

#include <array>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace kalvon::testing {

// The engine host's network calls go to the client, as the window's host forwards them.
void forwardNetworkCalls(RecordingEngineHost& host, InternetClient& client);

// The welcome: own index, the holders of spots 1..6 (0 for empty), running.
Bytes welcomeLine(int index, const std::array<int, kPlayingSlots>& holders = {}, bool running = false);
// A record of the roster a newcomer gets, for a player with a team (CR for none).
Bytes rosterRecord(int index, BytesView name, BytesView team = wire::kNoTeam);

// An engine in internet mode with no game running, a recording host and recording effects;
// its random numbers are a fixed sequence (the game-over fills draw hundreds).
struct NetEngineRig {
    RecordingEngineHost host;
    StandardRandom random;
    RecordingEffects effects;
    GameEngine engine;

    explicit NetEngineRig(const Clock& clock);
    EngineState& state() { return writableState(engine); }
};

class ClientTest : public ::testing::Test {
protected:
    ClientTest();

    // Connects to the fake server with the connect form's texts; the hello must arrive.
    void connect(BytesView name = "Ann", BytesView team = "");
    // Connects as myName and myTeam, sends the roster records and the welcome; the client asks
    // for the settings.
    void join(int index, const std::array<int, kPlayingSlots>& holders = {}, bool running = false,
        const std::vector<Bytes>& records = {});
    // The table of the game tests: Ann (this client, index 1, team "red") plays in `mySpot`
    // (0 watches), Bob (2, team "red") in spot 2, Cy (3, no team) in spot 4. Playing in spot
    // 1, Bob is on board 1 and Cy on board 3.
    void seat(int mySpot);
    // Sends the lines and waits until the client has handled them (after the welcome: an index
    // reply it must answer comes last); the lines the client sent meanwhile.
    std::vector<Bytes> deliver(const std::vector<Bytes>& lines);
    // Starts a network game with the rules; the client's own lines while it starts.
    std::vector<Bytes> startGame(const wire::HostRules& rules = {});

    EngineState& state() { return rig.state(); }
    // Runs the events already waiting, so a report the client queued would show now.
    static void settle();

    Bytes myName = "Ann";
    Bytes myTeam;
    FakeClock clock;
    RecordingClientView view;
    NetEngineRig rig{ clock };
    FakeServer server;
    InternetClient client{ view, rig.engine, clock };
};

} // namespace kalvon::testing

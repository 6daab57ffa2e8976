// Computer players and spectators play on the built-in server over loopback, a new game
// whenever one ends: six players, then four players and two spectators (the server takes six
// clients at most), for 20 seconds in all (KALVON_SOAK_SECONDS sets another length). Each client
// reaches the server through a relay that watches its lines. At the end every copy of every
// field equals the field its owner plays, and every line the server relays reached every
// client it should, in order. The run prints the relayed lines, their send-to-arrival times
// and the process's memory before and after play.

#include "boardcells.h"
#include "game/botbridge.h"
#include "linetap.h"
#include "net/wire/encodings.h"
#include "net/wire/toserver.h"
#include "relayledger.h"
#include "soakbot.h"
#include "soakfigures.h"
#include "support/game/networkedgame.h"
#include "testlines.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTest>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>

using namespace kalvon;
using namespace kalvon::testing;

namespace {

constexpr int kStepMs = 10;
// Bounds every wait for an event; only a failing run reaches it.
constexpr qint64 kSettleBoundMs = 120'000;
// Steps (of the clients' own 10 ms) a game runs before play may end.
constexpr int kStepsBeforeTheEnd = 500;

struct Table {
    int players = 0;
    int spectators = 0;
};
const Table kTables[] = { { 6, 0 }, { 4, 2 } };

// The play time of one table: the whole run's length shared by the tables.
int64_t playMs()
{
    const char* seconds = std::getenv("KALVON_SOAK_SECONDS");
    const int64_t value = seconds ? std::atoll(seconds) : 0;
    return (value > 0 ? value : 20) * 1000 / static_cast<int64_t>(std::size(kTables));
}

// The locked cells of a local field as the client reports them (the falling piece is not).
wire::FieldCells fieldCells(const EngineState& s)
{
    wire::FieldCells cells;
    for (int x = 0; x < kFieldColumns; ++x) {
        for (int y = 0; y < kFieldRows; ++y) {
            const int color = s.FieldColor[1][x][y];
            if (s.FieldOccupied[1][x][y] != kCellEmpty && wire::isWireCell(color)
                && color != wire::kEmptyCell)
                cells.set(x, y, color);
        }
    }
    return cells;
}

// One program at the table: its game core on the real client, connected through its own relay.
struct Participant {
    Participant(Bytes playerName, int playSpot, quint16 serverPort, RelayLedger& ledger)
        : name(std::move(playerName))
        , spot(playSpot)
        , id(ledger.addClient(name))
        , tap(serverPort,
              [&ledger, client = id](LineTap::Direction direction, const Bytes& line) {
                  if (direction == LineTap::Direction::ToServer)
                      ledger.sent(client, line);
                  else
                      ledger.received(client, line);
              })
        , bot(static_cast<uint32_t>(1000 + playSpot))
    {
    }

    EngineState& state() { return game.rig.state(); }
    InternetClient& client() { return game.client; }
    bool chatHas(BytesView text) const { return game.view.chatText().find(text) != Bytes::npos; }

    Bytes name;
    int spot = 0; // 0 watches
    int id = 0;
    LineTap tap;
    NetworkedGame game;
    SoakBot bot;
};

class SoakTest : public ::testing::TestWithParam<Table> {
protected:
    void startServer();
    void join(const Bytes& name, int spot);
    // One step of every program: the bots choose their keys, each game core runs 10 ms of its
    // time, and the event loop runs for about as long.
    void step();
    // Steps until `done`; false when the bound passed first.
    bool stepUntil(const std::function<bool()>& done);
    bool everyoneSees(BytesView chat);
    // Plays for `ms` of wall time, starting a new game whenever none runs; the games started.
    int play(int64_t ms);
    // Pauses the game and stops the bots, then has every client say "sync N" until a round
    // passes in which nobody sent anything else: every line sent has arrived and been handled.
    void settle();
    void expectFieldCopiesEqual();
    void report(int games, int64_t ms, int64_t memoryStartKiB, int64_t memoryEndKiB) const;

    HostOptions options;
    BanList bans;
    ScriptedDialogs dialogs;
    FakeClock clock;
    std::unique_ptr<GameServer> server;
    RelayLedger ledger;
    std::vector<std::unique_ptr<Participant>> everyone;
    bool botsPlaying = false;
    bool keepChat = false;
};

void SoakTest::startServer()
{
    options.maxClients = "6";
    options.rules.classic = 1;
    options.rules.specials = 1;
    options.rules.specialline = 1;
    options.rules.specialsmade = 2;
    options.rules.maxspecials = 10;
    options.rules.linelevel = 5;
    options.rules.raiselevel = 1;
    options.rules.startlevel = 1;
    options.rules.occurancy = { 14, 15, 14, 14, 15, 14, 14 };
    server = std::make_unique<GameServer>(options, bans, dialogs, clock);
    for (int attempt = 0; attempt < 5 && !server->isRunning(); ++attempt) {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        options.port = std::to_string(probe.serverPort());
        probe.close();
        server->StartServer();
    }
    ASSERT_TRUE(server->isRunning());
}

void SoakTest::join(const Bytes& name, int spot)
{
    everyone.push_back(std::make_unique<Participant>(name, spot, server->listeningPort(), ledger));
    Participant& p = *everyone.back();
    p.client().connectButtonClicked(name, "", "127.0.0.1:" + std::to_string(p.tap.port()));
    ASSERT_TRUE(stepUntil([&p] { return p.chatHas("*** Game Settings - "); })) << name;
}

void SoakTest::step()
{
    for (const auto& p : everyone) {
        if (p->spot > 0) {
            ApplyBotKeys(botsPlaying ? p->bot.think(p->state()) : 0, 1, p->game.rig.core.keys());
            if (const int target = botsPlaying ? p->bot.specialTarget(p->state()) : 0)
                p->game.network.SendSpecial(target);
        }
        p->game.rig.runFor(kStepMs);
        // Ten minutes of play would fill memory with what the fakes record.
        p->game.rig.log.clear();
        p->game.view.calls.clear();
        if (!keepChat)
            p->game.view.chat.clear();
    }
    QTest::qWait(kStepMs);
}

bool SoakTest::stepUntil(const std::function<bool()>& done)
{
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > kSettleBoundMs)
            return false;
        step();
    }
    return true;
}

bool SoakTest::everyoneSees(BytesView chat)
{
    for (const auto& p : everyone) {
        if (!p->chatHas(chat))
            return false;
    }
    return true;
}

int SoakTest::play(int64_t ms)
{
    int games = 0;
    bool startAsked = false;
    botsPlaying = true;
    QElapsedTimer played;
    played.start();
    // Play ends in a game that has run for a while: in a game just started the fields have not
    // been reported yet, and the copies still show the last game's fields.
    int stepsInGame = 0;
    while (played.elapsed() < ms || stepsInGame < kStepsBeforeTheEnd) {
        if (server->GameRunning()) {
            startAsked = false;
            ++stepsInGame;
        } else {
            stepsInGame = 0;
            if (!startAsked) {
                everyone.front()->client().requestStartGame();
                startAsked = true;
                ++games;
            }
        }
        if (played.elapsed() > ms + kSettleBoundMs) {
            ADD_FAILURE() << "no game ran for long enough to end play";
            break;
        }
        step();
    }
    return games;
}

void SoakTest::settle()
{
    keepChat = true;
    for (const auto& p : everyone)
        p->game.view.chat.clear();
    // The bots play on until the pause reaches them: an idle field would top out meanwhile.
    everyone.front()->client().sendPauseGame();
    ASSERT_TRUE(stepUntil([this] { return everyoneSees("*** Server paused game."); }));
    botsPlaying = false;
    const auto othersSent = [this] {
        using Kind = RelayLedger::Kind;
        return ledger.sentCount(Kind::Field) + ledger.sentCount(Kind::Special)
            + ledger.sentCount(Kind::Lines);
    };
    for (int round = 1;; ++round) {
        ASSERT_LE(round, 10) << "the clients keep sending";
        const int64_t before = othersSent();
        const Bytes text = "sync " + std::to_string(round);
        for (const auto& p : everyone)
            p->client().SendToServer(encode(wire::toServer::Chat{ text }));
        ASSERT_TRUE(stepUntil([&] {
            for (const auto& p : everyone) {
                if (!everyoneSees("<" + p->name + "> " + text))
                    return false;
            }
            return true;
        })) << text;
        if (othersSent() == before)
            break;
    }
}

void SoakTest::expectFieldCopiesEqual()
{
    // A game that ends on the server while the pause travels relays nothing after its end: a
    // survivor's later changes stay with it (the clients, paused, hear of the end once play
    // resumes). The copies are then held to each other rather than to the real field.
    const bool relayEnded = !server->GameRunning();
    int compared = 0;
    for (const auto& owner : everyone) {
        // A player who lost fills the field for show, and so does the winner of a game that ended
        // while the pause travelled (a field topped out before its client heard of the pause);
        // the others keep the last report of such a field.
        const PlayerInfo* record = owner->client().roster().player(owner->client().MyIndex());
        if (owner->spot == 0 || !record || record->Dead || owner->state().GameOverShown[1])
            continue;
        ++compared;
        const wire::FieldCells real = fieldCells(owner->state());
        std::optional<wire::FieldCells> firstCopy;
        for (const auto& viewer : everyone) {
            if (viewer == owner)
                continue;
            const ClientRoster& roster = viewer->client().roster();
            std::optional<wire::FieldCells> copy;
            if (roster.Spectating && owner->spot == 1)
                copy = fieldCells(viewer->state());
            else if (const std::optional<int> board = roster.boardOf(owner->spot))
                copy = boardCells(viewer->client().boards(), *board);
            ASSERT_TRUE(copy) << viewer->name << " has no board for " << owner->name;
            if (!relayEnded)
                EXPECT_EQ(*copy, real) << viewer->name << "'s copy of " << owner->name << "'s field";
            else if (!firstCopy)
                firstCopy = copy;
            else
                EXPECT_EQ(*copy, *firstCopy) << viewer->name << "'s copy of " << owner->name << "'s field";
        }
    }
    if (!relayEnded) {
        EXPECT_GE(compared, 1) << "at least the winner's field";
    }
}

void SoakTest::report(int games, int64_t ms, int64_t memoryStartKiB, int64_t memoryEndKiB) const
{
    using Kind = RelayLedger::Kind;
    const auto ms3
        = [](int64_t us) { return std::to_string(us / 1000) + "." + std::to_string(us % 1000 / 100); };
    const std::vector<int64_t>& latencies = ledger.latenciesUs();
    int rows = 0;
    for (const auto& p : everyone)
        rows += p->state().Lines[1];
    std::cout << "soak: " << ms / 1000 << " s of play, " << games << " games started, " << GetParam().players
              << " players and " << GetParam().spectators << " spectators, " << rows
              << " rows cleared in the game played last\n"
              << "soak: relayed lines sent (chat, fields, specials, lines added): "
              << ledger.sentCount(Kind::Chat) << ", " << ledger.sentCount(Kind::Field) << ", "
              << ledger.sentCount(Kind::Special) << ", " << ledger.sentCount(Kind::Lines) << "\n"
              << "soak: arrivals (chat, fields, specials, lines added): " << ledger.arrivals(Kind::Chat)
              << ", " << ledger.arrivals(Kind::Field) << ", " << ledger.arrivals(Kind::Special) << ", "
              << ledger.arrivals(Kind::Lines)
              << "; field differences held back after a game's end: " << ledger.heldBack() << "\n"
              << "soak: send to arrival over " << latencies.size() << " arrivals: p50 "
              << ms3(percentile(latencies, 50)) << " ms, p95 " << ms3(percentile(latencies, 95))
              << " ms, p99 " << ms3(percentile(latencies, 99)) << " ms, max "
              << ms3(percentile(latencies, 100)) << " ms\n"
              << "soak: VmRSS of the process (server, clients, relays): " << memoryStartKiB
              << " KiB at start, " << memoryEndKiB << " KiB at end" << std::endl;
}

} // namespace

TEST_P(SoakTest, BotsPlayWithoutLosingALineAndEveryFieldCopyMatches)
{
    const Table table = GetParam();
    ASSERT_NO_FATAL_FAILURE(startServer());
    const char* const names[] = { "Ann", "Bob", "Cy", "Dee", "Eve", "Fay" };
    for (int i = 0; i < table.players + table.spectators; ++i)
        ASSERT_NO_FATAL_FAILURE(join(names[i], i < table.players ? i + 1 : 0));
    for (const auto& p : everyone) {
        if (p->spot > 0)
            p->client().SendToServer(encode(wire::toServer::TakeSpot{ p->spot }));
    }
    ASSERT_TRUE(stepUntil([&] {
        for (const auto& viewer : everyone) {
            for (int i = 0; i < table.players; ++i) {
                if (viewer->client().roster().spotPlayer(i + 1) != everyone[i]->client().MyIndex())
                    return false;
            }
        }
        return true;
    }));
    ledger.watch();

    const int64_t memoryStart = residentKiB();
    const int64_t ms = playMs();
    const int games = play(ms);
    ASSERT_NO_FATAL_FAILURE(settle());
    const int64_t memoryEnd = residentKiB();

    expectFieldCopiesEqual();
    for (const std::string& fault : ledger.faults())
        ADD_FAILURE() << fault;
    EXPECT_GT(ledger.arrivals(RelayLedger::Kind::Field), 0);
    report(games, ms, memoryStart, memoryEnd);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, SoakTest, ::testing::ValuesIn(kTables), [](const ::testing::TestParamInfo<Table>& info) {
        return std::to_string(info.param.players) + "Players" + std::to_string(info.param.spectators)
            + "Spectators";
    });

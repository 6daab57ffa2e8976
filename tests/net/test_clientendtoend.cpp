// Two clients play a short network game on the built-in server over loopback: lines cleared
// in classic mode, specials between them and on oneself, a field switch, and one player
// topping out. At the end each client's copy of the other's field is the other's field.

#include "clienttest.h"
#include "engine/shapes.h"
#include "engine/specials.h"
#include "servertest.h"

#include <QTest>

using namespace kalvon;
using namespace kalvon::testing;

namespace {

// One player's program: an engine with the real specials, a recording host wired to the
// client as the window wires it, and a recording view.
struct Seat {
    RecordingEngineHost host;
    StandardRandom random;
    GameEngine engine;
    GameSpecials specials;
    RecordingClientView view;
    InternetClient client;

    Seat(const Clock& clock, uint64_t seed)
        : random(seed)
        , engine(host, random, clock)
        , specials(engine)
        , client(view, engine, clock)
    {
        engine.setEffects(specials);
        engine.setGameMode(GameMode::Internet);
        forwardNetworkCalls(host, client);
    }
    EngineState& state() { return writableState(engine); }
    bool chatHas(BytesView text) const { return view.chatText().find(text) != Bytes::npos; }
};

// The locked cells of a player's field, as its reports give them.
wire::FieldCells lockedCells(const EngineState& s)
{
    wire::FieldCells cells;
    for (int x = 0; x < kFieldColumns; ++x) {
        for (int y = 0; y < kFieldRows; ++y) {
            if (s.FieldOccupied[1][x][y] != kCellEmpty && s.FieldColor[1][x][y] < kFallingCodeOffset)
                cells.set(x, y, s.FieldColor[1][x][y]);
        }
    }
    return cells;
}

// The falling piece replaced, as if the next piece had been this one.
void placeFalling(EngineState& s, PieceType type, int orientation, int column, int row)
{
    for (int x = 0; x < kFieldColumns; ++x) {
        for (int y = 0; y < kFieldRows; ++y) {
            if (s.FieldOccupied[1][x][y] != kCellEmpty && s.FieldColor[1][x][y] >= kFallingCodeOffset)
                s.FieldOccupied[1][x][y] = kCellEmpty;
        }
    }
    const int t = static_cast<int>(type);
    s.FallingPiece[1] = { static_cast<int16_t>(t), static_cast<int16_t>(orientation),
        static_cast<int16_t>(column), static_cast<int16_t>(row) };
    s.PieceInPlay[1] = true;
    for (const CellOffset& c : *pieceCells(t, orientation)) {
        s.FieldOccupied[1][column + c.dx][row + c.dy] = kCellOccupied;
        s.FieldColor[1][column + c.dx][row + c.dy] = fallingColor(t);
    }
}

void fillRows(EngineState& s, int firstRow, int firstColumn, int lastColumn, int16_t color)
{
    for (int y = firstRow; y < kFieldRows; ++y) {
        for (int x = firstColumn; x <= lastColumn; ++x) {
            s.FieldOccupied[1][x][y] = kCellOccupied;
            s.FieldColor[1][x][y] = color;
        }
    }
}

bool waitFor(const std::function<bool()>& done)
{
    return QTest::qWaitFor(done, kEventWaitMs);
}

} // namespace

TEST_F(ServerTest, TwoClientsPlayANetworkGameToItsEnd)
{
    options.rules.classic = 1;
    options.rules.specials = 1;
    options.rules.maxspecials = 10;
    options.rules.occurancy = { 14, 15, 14, 14, 15, 14, 14 };
    options.rules.startheight = { 0, 0, 2, 0, 0, 0, 0 };
    startServer();
    const Bytes address = "127.0.0.1:" + std::to_string(port);

    Seat ann(clock, 11);
    Seat bob(clock, 22);
    for (const auto& joining : { std::pair{ &ann, "Ann" }, std::pair{ &bob, "Bob" } }) {
        Seat* seat = joining.first;
        seat->client.connectButtonClicked(joining.second, "", address);
        ASSERT_TRUE(waitFor([seat] { return seat->chatHas("*** Game Settings - "); })) << joining.second;
    }
    ann.client.SendToServer(encode(wire::toServer::TakeSpot{ 1 }));
    bob.client.SendToServer(encode(wire::toServer::TakeSpot{ 2 }));
    ASSERT_TRUE(waitFor([&] { return ann.chatHas("Bob has joined") && bob.chatHas("Ann has joined"); }));
    ASSERT_TRUE(waitFor(
        [&] { return bob.client.roster().spotPlayer(2) == 2 && ann.client.roster().spotPlayer(2) == 2; }));

    ann.client.SendToServer(encode(wire::toServer::StartGame{}));
    ASSERT_TRUE(waitFor([&] { return ann.state().GameActive && bob.state().GameActive; }));
    EXPECT_TRUE(server->GameRunning());
    EXPECT_TRUE(bob.state().Rules.classic);

    // Ann clears two rows with a straight piece down column 0: one line goes to Bob.
    fillRows(ann.state(), 20, 1, 11, 3);
    placeFalling(ann.state(), PieceType::Lines, 2, 0, 0);
    ann.engine.HardDrop(1);
    ASSERT_TRUE(waitFor([&] { return bob.chatHas("1 line added to all from Ann"); }));
    EXPECT_TRUE(ann.chatHas("1 line added to all from Ann"));
    EXPECT_EQ(ann.state().LinesAddedToAll, 1);

    // Specials: Ann's Add Line on Bob, Bob's Clear Line on himself, Ann's Switch Blocks on Bob
    // and her Holy Shield on herself.
    ann.state().lstSpecials[1] = { 6 };
    ann.client.SendSpecial(2);
    ASSERT_TRUE(waitFor([&] { return bob.chatHas("Addline on Bob from Ann"); }));
    bob.state().lstSpecials[1] = { 7 };
    bob.client.SendSpecial(2);
    ASSERT_TRUE(waitFor([&] { return ann.chatHas("Clear Line on Bob from Bob"); }));
    const int annSwaps = ann.host.count("DrawHeightLed 1");
    const int bobSwaps = bob.host.count("DrawHeightLed 1");
    ann.state().lstSpecials[1] = { 10 };
    ann.client.SendSpecial(2);
    ASSERT_TRUE(waitFor([&] {
        return ann.host.count("DrawHeightLed 1") > annSwaps && bob.host.count("DrawHeightLed 1") > bobSwaps;
    }));
    ann.state().lstSpecials[1] = { 21 };
    ann.client.SendSpecial(1);
    ASSERT_TRUE(waitFor([&] { return bob.chatHas("Holy Shield on Ann from Ann"); }));
    EXPECT_TRUE(ann.state().ShieldActive[1]);
    EXPECT_TRUE(bob.client.boards().NetShieldActive[1]);
    const wire::FieldCells annField = lockedCells(ann.state());

    // Bob tops out: his stack reaches row 2, his piece locks at the top and the next one has
    // no room. The server hears "G" and ends the game.
    std::optional<wire::FieldCells> bobField;
    const auto forward = bob.host.onCall;
    bob.host.onCall = [&](const std::string& call) {
        if (call == "sendPlayerLost")
            bobField = lockedCells(bob.state());
        forward(call);
    };
    fillRows(bob.state(), 2, 0, 10, 1);
    placeFalling(bob.state(), PieceType::Square, 1, 5, 0);
    bob.engine.HardDrop(1);
    ASSERT_TRUE(bobField);
    ASSERT_TRUE(waitFor([&] {
        return ann.chatHas("*** Game Over - Winner(s): Ann") && bob.chatHas("*** Game Over - Winner(s): Ann");
    }));
    EXPECT_FALSE(server->GameRunning());
    EXPECT_TRUE(ann.chatHas("Number of lines: 2"));
    EXPECT_TRUE(ann.chatHas("Number of lines added to all: 1"));
    EXPECT_TRUE(ann.chatHas("Number of specials used: 3"));
    EXPECT_TRUE(bob.chatHas("Number of specials received: 3"));

    // Each copy is the other's field as it was last reported: Bob is on Ann's board 1 and
    // Ann on Bob's.
    EXPECT_NE(annField, wire::FieldCells{});
    EXPECT_EQ(boardCells(bob.client.boards(), 1), annField);
    EXPECT_EQ(boardCells(ann.client.boards(), 1), *bobField);
}

// Fields on the wire at the client: the others' whole fields and differences on the opponent
// boards (and spot 1 on a spectator's big field), the own field's reports, and a swapped field.

#include "clienttest.h"

using namespace kalvon;
using namespace kalvon::testing;
namespace toClient = kalvon::wire::toClient;
namespace toServer = kalvon::wire::toServer;

namespace {

Bytes triple(int x, int y, int cell)
{
    return Bytes{ wire::CoordChar(x), wire::CoordChar(y), wire::CellChar(cell) };
}

} // namespace

TEST_F(ClientTest, OpponentFieldsFollowWholeFieldsAndDifferences)
{
    seat(1);
    startGame();
    view.calls.clear();

    // Bob's whole field on his board 1.
    wire::FieldCells bob;
    bob.set(0, 21, 3);
    bob.set(11, 0, 21);
    deliver({ encode(toClient::FullField{ 2, bob }) });
    EXPECT_EQ(boardCells(client.boards(), 1), bob);
    EXPECT_EQ(
        view.calls, (std::vector<std::string>{ "UpdateInternetFieldBlocks 1", "DrawNetPlayerField 1" }));

    // Cy's differences on board 3: triples out of range and an incomplete rest are skipped.
    view.calls.clear();
    deliver({ msg(toClient::MsgFieldRelay,
        pc(3) + triple(1, 20, 5) + triple(12, 0, 1) + triple(2, 2, -58) + triple(4, 21, 0) + "\x96\x96") });
    wire::FieldCells cy;
    cy.set(1, 20, 5);
    cy.set(4, 21, 0);
    EXPECT_EQ(boardCells(client.boards(), 3), cy);
    EXPECT_EQ(
        view.calls, (std::vector<std::string>{ "UpdateInternetFieldBlocks 3", "DrawNetPlayerField 3" }));

    // An emptied cell keeps its colour; "S" and "T" change and redraw nothing.
    view.calls.clear();
    deliver({ encode(toClient::FieldRelay{ 3, { { 1, 20, wire::kEmptyCell } } }),
        encode(toClient::FieldRelay{ 3, {} }), msg(toClient::MsgFieldRelay, pc(3) + "T") });
    EXPECT_EQ(client.boards().InetFieldOccupied[3][1][20], kCellEmpty);
    EXPECT_EQ(client.boards().InetFieldColor[3][1][20], 5);
    EXPECT_EQ(view.calls.size(), 2u);

    // This client's own field is never written from the wire while it plays; a whole field
    // that is not 264 valid cells is dropped.
    view.calls.clear();
    wire::FieldCells full;
    full.set(5, 5, 1);
    const Bytes dump = wire::encodeFieldDump(full);
    deliver({ encode(toClient::FullField{ 1, full }), encode(toClient::FieldRelay{ 1, { { 5, 5, 1 } } }),
        msg(toClient::MsgFullField, pc(2) + dump.substr(1)),
        msg(toClient::MsgFullField, pc(2) + dump.substr(1) + "\x20") });
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(state().FieldOccupied[1][5][5], kCellEmpty);
    EXPECT_EQ(boardCells(client.boards(), 1), bob);
}

TEST_F(ClientTest, SpectatorSeesSpotOneOnTheBigField)
{
    seat(0);
    deliver({ encode(toClient::SpotChanged{ 3, 1 }) });
    startGame();
    rig.host.clear();
    view.calls.clear();
    deliver({ encode(toClient::FieldRelay{ 3, { { 2, 21, 4 } } }),
        encode(toClient::FieldRelay{ 2, { { 0, 0, 1 } } }) });
    EXPECT_EQ(state().FieldOccupied[1][2][21], kCellOccupied);
    EXPECT_EQ(state().FieldColor[1][2][21], 4);
    EXPECT_EQ(rig.host.count("UpdateFieldBlocks 1"), 1);
    EXPECT_EQ(rig.host.count("DrawField 1"), 1);
    // Bob in spot 2 is on board 1.
    EXPECT_EQ(client.boards().InetFieldOccupied[1][0][0], kCellOccupied);
    EXPECT_EQ(
        view.calls, (std::vector<std::string>{ "UpdateInternetFieldBlocks 1", "DrawNetPlayerField 1" }));

    // A swapped field is not for a spectator's big field.
    deliver({ encode(toClient::SwapField{}) });
    EXPECT_EQ(state().FieldOccupied[1][2][21], kCellOccupied);
}

TEST_F(ClientTest, OwnFieldIsReportedAsDifferences)
{
    seat(1);
    startGame();
    ASSERT_TRUE(state().PieceInPlay[1]);
    // Four locked cells of colour 2 in row 21: the falling piece at the top is not reported.
    for (int x = 0; x < 4; ++x) {
        state().FieldOccupied[1][x][21] = kCellOccupied;
        state().FieldColor[1][x][21] = 2;
    }
    const Bytes poll = encode(toClient::FieldPoll{});
    const auto update
        = [](std::vector<wire::CellChange> changes) { return encode(toServer::FieldUpdate{ changes }); };
    EXPECT_EQ(deliver({ poll }),
        std::vector<Bytes>{ update({ { 0, 21, 2 }, { 1, 21, 2 }, { 2, 21, 2 }, { 3, 21, 2 } }) });
    EXPECT_EQ(deliver({ poll }), std::vector<Bytes>{ update({}) });
    for (int x = 0; x < 4; ++x)
        state().FieldOccupied[1][x][21] = kCellEmpty;
    const int empty = wire::kEmptyCell;
    EXPECT_EQ(deliver({ poll }),
        std::vector<Bytes>{
            update({ { 0, 21, empty }, { 1, 21, empty }, { 2, 21, empty }, { 3, 21, empty } }) });

    // A piece that lands is reported by the engine's landing: its four cells, now locked.
    rig.engine.HardDrop(1);
    const std::optional<Bytes> landed = server.nextLine();
    const auto message = landed ? toServer::decode(*landed) : std::nullopt;
    const auto* landing = message ? std::get_if<toServer::FieldUpdate>(&*message) : nullptr;
    ASSERT_TRUE(landing);
    const std::vector<wire::CellChange>* changes = &landing->changes;
    ASSERT_EQ(changes->size(), 4u);
    for (const wire::CellChange& change : *changes) {
        EXPECT_EQ(state().FieldOccupied[1][change.x][change.y], kCellOccupied);
        EXPECT_EQ(state().FieldColor[1][change.x][change.y], change.cell);
        EXPECT_GE(change.y, 20);
    }

    // A new game empties the field: the copy last reported starts empty again.
    state().FieldOccupied[1][11][10] = kCellOccupied;
    state().FieldColor[1][11][10] = 1;
    EXPECT_EQ(deliver({ poll }), std::vector<Bytes>{ update({ { 11, 10, 1 } }) });
    startGame();
    state().FieldOccupied[1][11][10] = kCellOccupied;
    EXPECT_EQ(deliver({ poll }), std::vector<Bytes>{ update({ { 11, 10, 1 } }) });
}

TEST_F(ClientTest, SwappedFieldKeepsTheFallingPieceAndAnEmptyTop)
{
    seat(1);
    startGame();
    const auto isFalling = [this](int x, int y) {
        return state().FieldOccupied[1][x][y] != kCellEmpty
            && state().FieldColor[1][x][y] >= kFallingCodeOffset;
    };
    std::array<std::array<bool, kFieldRows>, kFieldColumns> falling{};
    int fallingCells = 0;
    for (int x = 0; x < kFieldColumns; ++x) {
        for (int y = 0; y < kFieldRows; ++y) {
            falling[x][y] = isFalling(x, y);
            fallingCells += falling[x][y];
        }
    }
    ASSERT_EQ(fallingCells, 4);

    wire::FieldCells swapped;
    for (int x = 0; x < kFieldColumns; ++x) {
        for (int y = 0; y < kFieldRows; ++y)
            swapped.set(x, y, (x + y) % 6);
    }
    swapped.set(3, 20, wire::kEmptyCell);
    rig.host.clear();
    const std::vector<Bytes> sent = deliver({ encode(toClient::SwapField{ swapped }) });
    for (int x = 0; x < kFieldColumns; ++x) {
        for (int y = 0; y < kFieldRows; ++y) {
            SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
            if (falling[x][y])
                EXPECT_TRUE(isFalling(x, y));
            else if (y < 7 || (x == 3 && y == 20))
                EXPECT_EQ(state().FieldOccupied[1][x][y], kCellEmpty);
            else
                EXPECT_EQ(state().FieldColor[1][x][y], (x + y) % 6);
        }
    }
    EXPECT_EQ(rig.host.count("DrawHeightLed 1"), 1);
    EXPECT_EQ(rig.host.count("DrawField 1"), 1);
    // The new field is reported at once: rows 7 to 21 less the hole.
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].size(), 2u + 3u * (12u * 15u - 1u));

    // Anything but 264 valid cells leaves the field alone.
    const Bytes dump = wire::encodeFieldDump({});
    EXPECT_EQ(
        deliver({ msg(toClient::MsgSwapField, dump.substr(1)), msg(toClient::MsgSwapField, dump + "\xaa"),
            msg(toClient::MsgSwapField, "\x20" + dump.substr(1)) }),
        std::vector<Bytes>{});
    EXPECT_EQ(state().FieldColor[1][0][21], 21 % 6);
}

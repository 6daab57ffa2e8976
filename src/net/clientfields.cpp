// Fields on the wire, as the client sees them: the other players' whole fields and field
// differences written into the opponent boards (or, for a spectator, spot 1 into the big
// field), the own field's differences sent, and the field a Switch Blocks swap brings.

#include "engine/gameengine.h"
#include "net/clientview.h"
#include "net/internetclient.h"
#include "net/wire/toserver.h"

namespace kalvon {

using namespace wire;

namespace {

// The top rows a swapped field never brings blocks into.
constexpr int kSwapClearRows = 7;

// The locked cells of a local field as the wire sees them; the falling piece is not reported.
FieldCells lockedCells(const EngineState& s, int p)
{
    FieldCells cells;
    for (int x = 0; x < kFieldColumns; ++x) {
        for (int y = 0; y < kFieldRows; ++y) {
            const int color = s.FieldColor[p][x][y];
            if (s.FieldOccupied[p][x][y] != kCellEmpty && isWireCell(color) && color != kEmptyCell)
                cells.set(x, y, color);
        }
    }
    return cells;
}

std::vector<CellChange> allCells(const FieldCells& field)
{
    std::vector<CellChange> cells;
    cells.reserve(kFieldDumpLength);
    for (int x = 0; x < kFieldColumns; ++x) {
        for (int y = 0; y < kFieldRows; ++y)
            cells.push_back({ x, y, field.at(x, y) });
    }
    return cells;
}

// The colour code a relayed cell fills, or nothing for an emptied cell.
std::optional<int16_t> cellCode(const CellChange& change)
{
    if (change.cell == kEmptyCell)
        return std::nullopt;
    return static_cast<int16_t>(change.cell);
}

} // namespace

void InternetClient::ClientMsgFullField(const toClient::FullField& message)
{
    const PlayerInfo* info = m_roster.player(message.player);
    if (!info || (m_roster.isPlaying() && m_roster.isMe(message.player)))
        return;
    writeSpotField(info->Slot, allCells(message.field));
}

void InternetClient::ClientMsgFieldRelay(const toClient::FieldRelay& message)
{
    if (!m_roster.player(message.player) || (m_roster.isPlaying() && m_roster.isMe(message.player)))
        return;
    const std::vector<int> spots = m_roster.spotsOf(message.player);
    if (spots.empty())
        return;
    writeSpotField(spots.back(), message.changes);
}

void InternetClient::writeSpotField(int spot, const std::vector<CellChange>& changes)
{
    if (changes.empty())
        return;
    if (m_roster.Spectating && spot == 1) {
        EngineState& s = m_engine.stateForNetClient();
        for (const CellChange& change : changes) {
            const std::optional<int16_t> code = cellCode(change);
            s.FieldOccupied[1][change.x][change.y] = code ? kCellOccupied : kCellEmpty;
            if (code)
                s.FieldColor[1][change.x][change.y] = *code;
        }
        host().drawing().UpdateFieldBlocks(1);
        host().drawing().DrawField(1);
        return;
    }
    const std::optional<int> board = m_roster.boardOf(spot);
    if (!board)
        return;
    for (const CellChange& change : changes)
        m_boards.setCell(*board, change.x, change.y, cellCode(change));
    redrawBoard(*board);
}

void InternetClient::ClearNetBoard(int board)
{
    if (!OpponentBoards::isBoard(board))
        return;
    m_boards.clearCells(board);
    redrawBoard(board);
}

void InternetClient::redrawBoard(int board)
{
    m_view.UpdateInternetFieldBlocks(board);
    m_view.DrawNetPlayerField(board);
}

void InternetClient::ApplyFieldString(const FieldCells& field)
{
    // Only a playing client has a field of its own to swap.
    if (!m_roster.isPlaying())
        return;
    EngineState& s = m_engine.stateForNetClient();
    for (int x = 0; x < kFieldColumns; ++x) {
        for (int y = 0; y < kFieldRows; ++y) {
            const bool falling
                = s.FieldOccupied[1][x][y] != kCellEmpty && s.FieldColor[1][x][y] >= kFallingCodeOffset;
            if (falling)
                continue;
            const int cell = field.at(x, y);
            if (cell == kEmptyCell || y < kSwapClearRows) {
                s.FieldOccupied[1][x][y] = kCellEmpty;
            } else {
                s.FieldOccupied[1][x][y] = kCellOccupied;
                s.FieldColor[1][x][y] = static_cast<int16_t>(cell);
            }
        }
    }
    host().drawing().DrawHeightLed(1);
    host().drawing().UpdateFieldBlocks(1);
    host().drawing().DrawField(1);
    SendFieldUpdate();
}

void InternetClient::SendFieldUpdate()
{
    const FieldCells now = lockedCells(m_engine.state(), 1);
    const std::vector<CellChange> changes = diffFields(m_sentField, now);
    m_sentField = now;
    send(toServer::FieldUpdate{ changes });
}

void InternetClient::ResetSentField()
{
    m_sentField.clear();
}

} // namespace kalvon

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

// The cells as the engine writes them: a colour code, or nothing for an emptied cell.
std::vector<CellWrite> cellWrites(const std::vector<CellChange>& changes)
{
    std::vector<CellWrite> cells;
    cells.reserve(changes.size());
    for (const CellChange& change : changes) {
        const std::optional<int16_t> code
            = change.cell == kEmptyCell ? std::nullopt : std::optional(static_cast<int16_t>(change.cell));
        cells.push_back({ change.x, change.y, code });
    }
    return cells;
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
    const std::vector<CellWrite> cells = cellWrites(changes);
    if (m_roster.Spectating && spot == 1) {
        m_engine.writeFieldCells(1, cells);
        return;
    }
    const std::optional<int> board = m_roster.boardOf(spot);
    if (!board)
        return;
    for (const CellWrite& cell : cells)
        m_boards.setCell(*board, cell.column, cell.row, cell.code);
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
    m_engine.receiveSwappedField(1, cellWrites(allCells(field)));
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

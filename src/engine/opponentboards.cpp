#include "engine/opponentboards.h"

namespace kalvon {

namespace {

bool onField(int x, int y)
{
    return x >= 0 && x < kFieldColumns && y >= 0 && y < kFieldRows;
}

} // namespace

void OpponentBoards::clearCells(int board)
{
    if (!isBoard(board))
        return;
    for (auto& column : InetFieldOccupied[board])
        column.fill(kCellEmpty);
}

void OpponentBoards::setCell(int board, int x, int y, std::optional<int16_t> code)
{
    if (!isBoard(board) || !onField(x, y))
        return;
    InetFieldOccupied[board][x][y] = code ? kCellOccupied : kCellEmpty;
    if (code)
        InetFieldColor[board][x][y] = *code;
}

void OpponentBoards::clearMarkers(int board)
{
    if (!isBoard(board))
        return;
    NetFlashActive[board] = NetTremorActive[board] = NetShieldActive[board] = false;
    NetFlashStart[board] = NetTremorStart[board] = NetShieldStart[board] = 0;
    NetBoardWon[board] = false;
}

std::vector<int> OpponentBoards::endTimedMarkers(int64_t now)
{
    std::vector<int> changed;
    for (int board = 1; board <= kInternetFields; ++board) {
        bool ended = false;
        for (auto [active, start] :
            {std::pair{&NetFlashActive, &NetFlashStart}, std::pair{&NetTremorActive, &NetTremorStart},
                std::pair{&NetShieldActive, &NetShieldStart}}) {
            if ((*active)[board] && now - (*start)[board] >= kBoardMarkerMs) {
                (*active)[board] = false;
                ended = true;
            }
        }
        if (ended)
            changed.push_back(board);
    }
    return changed;
}

} // namespace kalvon

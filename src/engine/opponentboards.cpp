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

void OpponentBoards::fillRandom(int board, EngineRandom& random)
{
    if (!isBoard(board))
        return;
    for (int y = 0; y < kFieldRows; ++y) {
        for (int x = 0; x < kFieldColumns; ++x)
            setCell(board, x, y, static_cast<int16_t>(randomBelow(random, kNormalBlockColors)));
    }
}

void OpponentBoards::fillWinnerPattern(int board)
{
    // The colour of each two-row band from the top.
    static constexpr int16_t kBands[] = { 4, 5, 1, 2, 0, 3, 0, 2, 1, 5, 4 };
    if (!isBoard(board))
        return;
    for (int y = 0; y < kFieldRows; ++y) {
        const int16_t band = kBands[y / 2];
        for (int x = 0; x < kFieldColumns; ++x) {
            const bool frame = band == 3 && (x == 0 || x == kFieldColumns - 1);
            setCell(board, x, y, frame ? int16_t(0) : band);
        }
    }
}

std::vector<int> OpponentBoards::endTimedMarkers(int64_t now)
{
    std::vector<int> changed;
    for (int board = 1; board <= kInternetFields; ++board) {
        bool ended = false;
        for (auto [active, start] :
            { std::pair{ &NetFlashActive, &NetFlashStart }, std::pair{ &NetTremorActive, &NetTremorStart },
                std::pair{ &NetShieldActive, &NetShieldStart } }) {
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

#pragma once
// The five opponent boards of internet play: the cells the client mirrors from the other
// players' field messages (InetFieldOccupied, InetFieldColor), the Flash Screen, Tremor and
// Holy Shield markers of the players they show, and the win flag of a winner's board. The
// client writes it; the renderer draws it (through its InternetView). The markers are drawn over
// the top row; the stored cells stay as they are.

#include "engine/enginerandom.h"
#include "engine/state.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace kalvon {

inline constexpr int64_t kBoardMarkerMs = 7000;
// Colours 0..5 are the normal blocks; a lost board is filled with them.
inline constexpr int kNormalBlockColors = 6;

struct OpponentBoards {
    template <typename T> using PerBoard = std::array<T, kInternetFields + 1>; // [1..5]

    PerBoard<FieldArray> InetFieldOccupied{}; // 0 empty, -1 occupied
    PerBoard<FieldArray> InetFieldColor{}; // an emptied cell keeps its colour
    PerBoard<bool> NetFlashActive{};
    PerBoard<int64_t> NetFlashStart{};
    PerBoard<bool> NetTremorActive{};
    PerBoard<int64_t> NetTremorStart{};
    PerBoard<bool> NetShieldActive{};
    PerBoard<int64_t> NetShieldStart{};
    PerBoard<bool> NetBoardWon{}; // the board shows the win image

    static bool isBoard(int board) { return board >= 1 && board <= kInternetFields; }

    // Every cell empty; the colours stay.
    void clearCells(int board);
    // Fills a cell with a colour code, or empties it (nothing) keeping its colour. Cells off
    // the board are ignored.
    void setCell(int board, int x, int y, std::optional<int16_t> code);
    // The three markers and the win flag off.
    void clearMarkers(int board);
    // A lost player's board: every cell occupied with a random normal colour 0..5.
    void fillRandom(int board, EngineRandom& random);
    // A winner's board: every cell occupied with the banded winner picture (two rows a band,
    // colours 4 5 1 2 0, the middle band 3 framed by 0, then mirrored).
    void fillWinnerPattern(int board);

    // The main tick's end of the markers after kBoardMarkerMs: the boards that changed.
    std::vector<int> endTimedMarkers(int64_t now);
};

} // namespace kalvon

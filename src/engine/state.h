#pragma once
// The state of the local game: the fields of players 1 to 3, the falling and next pieces, the
// per-player flags, counters, levels and inventories, the effect timers, and the rules and
// options the running game was started with. One object, owned by the GameEngine; the renderer,
// the game core, the window and internet play read it (GameEngine::state() is const) and change
// it only through the engine's operations.
//
// Arrays are indexed the way the rules speak of them: players from 1 (element 0 is unused),
// columns 0..11 left to right, rows 0..21 with row 0 at the top.

#include "engine/engineoptions.h"
#include "engine/types.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kalvon {

inline constexpr int kLocalPlayers = 2;
inline constexpr int kFieldCells = kFieldColumns * kFieldRows;
inline constexpr int kBombSlots = 10;

// Per local player, [1..2].
template <typename T> using PerPlayer = std::array<T, kLocalPlayers + 1>;
// Per field, [1..3]; field 3 is the theme page's preview.
template <typename T> using PerField = std::array<T, kLocalFields + 1>;

// One field: [column][row].
using FieldArray = std::array<std::array<int16_t, kFieldRows>, kFieldColumns>;

// The falling piece of a player: its type, orientation (1..4) and reference cell.
struct FallingPieceRecord {
    int16_t Type = 0;
    int16_t Orientation = 1;
    int16_t Column = 0;
    int16_t Row = 0;
};

struct Cell {
    int16_t column = 0;
    int16_t row = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
};

// One bomb animation slot of a field.
struct BombAnimation {
    bool Active = false;
    int16_t Frame = 0;
    int64_t LastTick = 0;
    int16_t Column = 0;
    int16_t Row = 0;
};

struct EngineState {
    // --- game ---
    kalvon::GameMode GameMode = kalvon::GameMode::OnePlayer;
    bool GameActive = false; // a game runs and is not paused
    bool GameStarted = false; // a game was started and has not ended
    bool GamePaused = false;
    // Goes up whenever a game starts or ends, so a step that waited can tell that the game it
    // belonged to is over.
    uint32_t GameGeneration = 0;

    // --- fields ---
    PerField<FieldArray> FieldOccupied{}; // 0 empty, -1 occupied
    PerField<FieldArray> FieldColor{}; // CellColor codes; kept when a cell is emptied

    // --- pieces ---
    PerPlayer<FallingPieceRecord> FallingPiece{};
    PerField<int16_t> NextPiece{}; // PieceType; 0 until the first game start
    PerPlayer<bool> PieceInPlay{};
    PerPlayer<bool> PieceLanding{};
    PerPlayer<bool> HardDropping{};
    PerPlayer<bool> PieceResting{}; // the tick's last landing test, for the smooth fall
    PerPlayer<int32_t> SmoothOffset{};
    bool SwitchBusy = false;

    // --- counters, levels, score ---
    PerPlayer<int32_t> Lines{};
    PerPlayer<int32_t> FourLineClears{};
    PerPlayer<int32_t> Level{};
    int32_t ActiveLevel = 0;
    PerPlayer<double> FallSpeed{}; // pixels per millisecond
    PerPlayer<int64_t> LastFallTime{};
    int32_t Score = 0;
    int32_t SpecialLineCount = 0; // one counter for both players
    int32_t LevelLineCount = 0; // internet play; carries over between games
    int32_t LinesAddedToAll = 0; // internet game statistics
    int32_t SpecialsGained = 0;

    // --- specials ---
    // The inventory of each player: special codes 6..21, the last one is the special at hand.
    PerPlayer<std::vector<int16_t>> lstSpecials{};
    // Candidate cells for planting specials, rebuilt by every planting.
    std::vector<Cell> SpecialCandidates;

    // --- timed effects and animations ---
    PerPlayer<bool> TremorActive{};
    PerPlayer<int64_t> TremorStart{};
    PerPlayer<bool> FlashActive{};
    PerPlayer<int64_t> FlashStart{};
    PerField<bool> ShieldActive{};
    PerPlayer<int64_t> ShieldStart{};
    PerPlayer<bool> QuakeActive{};
    PerField<std::array<BombAnimation, kBombSlots>> BombAnimations{};
    PerField<bool> FieldExplodeRunning{};
    PerField<bool> FieldDoorOpen{};
    PerField<bool> FieldDoorClosing{};
    PerField<bool> FieldDoorOpening{};
    PerPlayer<bool> GameOverShown{};
    PerPlayer<int32_t> WarningAlpha{}; // the top-row warning's pulse, 0..250
    PerPlayer<bool> WarningFalling{}; // the pulse is on its way down

    // --- play time ---
    int64_t PlayTimeTotal = 0;
    int64_t PlayTimeStart = 0;
    bool NetPlaying = false;

    // --- what the game is played by ---
    GameRules Rules;
    EngineOptions Options;
    // Percentages of two-player games (the settings), and of internet play (the server's).
    kalvon::BlockOccurancy BlockOccurancy{};
    kalvon::BlockOccurancy InetBlockOccurancy{};
};

} // namespace kalvon

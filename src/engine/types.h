#pragma once
// The small shared vocabulary of the game: field size, piece and special types, cell codes,
// game modes, the rules of the running game and the occurrence percentages. Used by the engine,
// the renderer and internet play alike.

#include <array>
#include <cstdint>

namespace kalvon {

inline constexpr int kFieldColumns = 12; // columns 0..11
inline constexpr int kFieldRows = 22; // rows 0..21, row 0 at the top

// Local players 1 and 2; 3 is the theme page's preview field.
inline constexpr int kLocalFields = 3;
// Opponent boards in internet play, 1..5.
inline constexpr int kInternetFields = 5;
// Playing slots of internet play, 1..6.
inline constexpr int kPlayingSlots = 6;

// Shapes, in the order of the settings keys of their percentages.
enum class PieceType : int16_t {
    TBlock = 0,
    Lines = 1,
    ZBlock = 2,
    SBlock = 3,
    Square = 4,
    LBlock = 5,
    LBlock2 = 6
};
inline constexpr int kPieceTypes = 7;
inline constexpr int16_t kNoNextPiece = 999;

// The sixteen specials; a special block's cell code is 6 + its type.
enum class SpecialType : int16_t {
    AddLine = 0,
    ClearLine = 1,
    NukeField = 2,
    RandomClear = 3,
    SwitchBlocks = 4,
    ClearSpecials = 5,
    BlockGravity = 6,
    BlockQuake = 7,
    PushField = 8,
    FlashScreen = 9,
    DropBlock = 10,
    GiveLine = 11,
    Tremor = 12,
    VerticalClear = 13,
    BlockBomb = 14,
    HolyShield = 15
};
inline constexpr int kSpecialTypes = 16;

// Cell codes (CellColor): 0..5 normal colours, 6..21 specials, 90..95 the falling piece.
inline constexpr int16_t kFirstSpecialCode = 6;
inline constexpr int16_t kLastSpecialCode = 21;
inline constexpr int16_t kFallingCodeOffset = 90;
// Occupancy of a cell: 0 empty, -1 occupied.
inline constexpr int16_t kCellEmpty = 0;
inline constexpr int16_t kCellOccupied = -1;

enum class GameMode : int16_t { OnePlayer = 1, TwoPlayers = 2, Internet = 3 };

// The theme's sound slots (the twelve-slot sound table of a theme, named by their .kvx keys);
// slot 9 holds no sound.
enum class SoundSlot : int16_t {
    Drop = 0,
    Rotate = 1,
    Explode = 2,
    LineClear = 3,
    StartGame = 4,
    Lose = 5,
    Win = 6,
    Quad = 7,
    Chat = 8,
    Click = 10,
    HolyShield = 11
};
inline constexpr int kSoundSlots = 12;

// Levels run from 0 to 100.
inline constexpr int kMinLevel = 0;
inline constexpr int kMaxLevel = 100;

// 23 percentages: the seven piece types in PieceType order, then the sixteen specials in
// SpecialType order.
inline constexpr int kOccurancyEntries = kPieceTypes + kSpecialTypes;
using BlockOccurancy = std::array<int16_t, kOccurancyEntries>;

// The rules of the running game, decoded from the game-options string (booleans: true/false;
// the wire and the settings file carry them as numbers). Values persist between games; each
// decode overwrites all of them.
struct GameRules {
    int16_t linelevel = 0; // lines per level step in internet play; 0 = levels never rise
    int16_t specialline = 0; // lines per step of special generation
    int16_t specialsmade = 0; // specials placed per step
    int16_t raiselevel = 0; // levels added per step
    int16_t delay = 0; // carried and decoded; nothing reads it
    bool classic = false; // clearing several rows sends lines to the others
    bool samelevel = false; // one level shared by all players
    bool linespecial = false; // specials collected from cleared rows are multiplied
    bool specials = false; // special blocks enabled
    std::array<int16_t, kPlayingSlots + 1> startheight{}; // [1..6]: garbage rows at game start
    int16_t startlevel = 0;
    int16_t maxspecials = 0; // inventory capacity
};

} // namespace kalvon

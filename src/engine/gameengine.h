#pragma once
// The rules of the local game over one EngineState: spawning, moving, turning and dropping
// pieces, the landing with its line clear, levels and score, and the generation of pieces and
// specials. Every call out goes through the EngineHost; random numbers come from the
// EngineRandom in the order the rules draw them; specials reach their effects through the
// SpecialEffects. No operation waits: where a host call may wait (the line explosion, the
// effects), the step afterwards checks that its game is still the one running.
//
// Player arguments are 1 or 2 (fields also 3); anything else is refused without change.

#include "common/bytes.h"
#include "common/clock.h"
#include "engine/enginehost.h"
#include "engine/enginerandom.h"
#include "engine/highscores.h"
#include "engine/specialeffects.h"
#include "engine/state.h"

#include <array>
#include <cstdint>
#include <optional>

namespace kalvon {

// 2 for player 1, 1 for anyone else.
int OtherPlayer(int p);

// The target of a special used by `user`: himself, or the other local player.
inline int specialTarget(int user, bool onOther) { return onOther ? OtherPlayer(user) : user; }

// Where the shadow of one column of a piece falls: the first occupied row below the piece, 22
// for the floor, nothing when the piece already reaches row 21 there.
struct ShadowCell {
    int column = 0;
    std::optional<int> landingRow;
};
struct ShadowCells {
    int count = 0;
    std::array<ShadowCell, 4> cells{};
};

class GameEngine {
public:
    GameEngine(EngineHost& host, EngineRandom& random, const Clock& clock);
    GameEngine(const GameEngine&) = delete;
    GameEngine& operator=(const GameEngine&) = delete;

    EngineState& state() { return m_state; }
    const EngineState& state() const { return m_state; }
    EngineHost& host() { return m_host; }
    EngineRandom& random() { return m_random; }
    const Clock& clock() const { return m_clock; }
    // The effects of the specials; the engine starts with effects that do nothing.
    void setEffects(SpecialEffects& effects) { m_effects = &effects; }
    SpecialEffects& effects() { return *m_effects; }
    // The high-score table a lost one-player game is ranked in; none until set.
    void setHighScores(HighScores& highScores) { m_highScores = &highScores; }

    // --- field and pieces ---
    // Off the field (and for a player outside 1..3) every cell counts as occupied.
    bool IsCellOccupied(int p, int column, int row) const;
    // A new piece at (column, row); tblock and sblock one row lower. A blocked spawn ends the
    // player's game (PlayerLost).
    void SpawnPiece(int p, int type, int column, int row);
    // Empties the field (occupancy only; the codes stay).
    void RedrawField(int p);

    // --- moves ---
    // Direction 1 turns to the next orientation, anything else to the previous one.
    void RotatePiece(int p, int direction);
    void MovePieceLeft(int p);
    void MovePieceRight(int p);
    // One row down, or the landing with its line clear when the piece is blocked. Answers
    // whether anything happened (false when the player may not move now).
    bool MovePieceDown(int p);
    void HardDrop(int p);

    // --- landing test and shadow ---
    bool IsPieceBlockedBelow(int p) const;
    std::optional<int> GetLandingRow(int p, int column, int startRow) const;
    ShadowCells shadowCells(int p) const;
    void DrawPieceShadow(int p);

    // --- landing and line clear ---
    void LockPieceAndClearLines(int p);
    int CountRowCells(int p, int y) const;
    bool HasBlocksInTopRows(int p) const;

    // --- levels ---
    void UpdateLevel(int p);
    // The level whose fall interval the player's piece follows.
    int gravityLevel(int p) const;

    // --- generation ---
    // A PieceType, or nothing when no percentage allows any (callers take that as 0).
    std::optional<int> GenerateNextBlock();
    void SetNextPiece(int p, int type);
    // A special's cell code 6..21, or nothing.
    std::optional<int> PickSpecial();
    void AddSpecialsFromLines(int p);

    // --- inventory ---
    // The name of the special at hand: "(Add Line)" ... "(Holy Shield)", "(None)" when empty.
    BytesView SpecialName(int p) const;
    bool inventoryFull(int p) const;
    // Appends a special to the inventory and shows it.
    void collectSpecial(int p, int16_t code);
    // Two-player play: the special at hand of `p` is spent on `t` (refused without change by
    // the Holy Shield of another target).
    void UseSpecial(int p, int t);
    // The special at hand is thrown away.
    void RefreshSpecialBar(int p);

    // --- game flow ---
    // The engine's part of starting a local game (mode 1 or 2) at `now`.
    void startLocalGame(int64_t now);
    // The engine's part of stopping a game.
    void stopGame();
    // Ends the player's game.
    void PlayerLost(int p);
    void PauseGame();
    void ResumeGame();
    // The time a local game has been played, pauses left out.
    int64_t playedTime(int64_t now) const;
    // Game-over fills: random blocks, and the striped picture of the surviving field.
    void FillFieldRandom(int p);
    void FillFieldPicture(int p);
    // The field doors close over a field, and open.
    void FadeOutField(int p);
    void FadeInField(int p);
    // The tick's gravity for one player: once the fall interval of the player's level has
    // passed since `LastFallTime` (at the interval itself, so a 10 ms tick keeps level 100's
    // pace), the gravity wait restarts and a piece in play moves a row down. Answers whether
    // gravity was due.
    bool gravityStep(int p, int64_t now);

private:
    bool isPlayer(int p) const { return p == 1 || p == 2; }
    // Player 2 acts only in two-player games.
    bool playerActs(int p) const;
    // Moves the piece to a new orientation and reference cell when the newly covered cells are
    // free. Only newly covered cells are marked, or all four with `markAll`.
    bool shiftPiece(int p, int orientation, int dx, int dy, bool markAll);
    void landPiece(int p);
    // Whether a cell directly below the piece (one a move down would newly cover) is occupied.
    bool blockedBelow(int p) const;
    // The game that a landing started in is still running (a paused game counts as running).
    bool stillRunning(uint32_t generation) const;
    void collectSpecialsFromRows(int p, const ClearedRows& rows);
    void removeRows(int p, const ClearedRows& rows);
    void sendLinesToOthers(int lines);
    // Cleared lines can turn into planted specials under the running rules.
    bool specialsCanBePlanted() const;
    // Where the next planted special goes: a random candidate, else a low row with room.
    std::optional<Cell> specialPlace(int p);
    void playSound(SoundSlot slot);
    void setCountLabel(LabelId label, int p, BytesView caption, int64_t value);
    void showActiveLevel();

    EngineHost& m_host;
    EngineRandom& m_random;
    const Clock& m_clock;
    NoSpecialEffects m_noEffects;
    SpecialEffects* m_effects = &m_noEffects;
    HighScores* m_highScores = nullptr;
    EngineState m_state;
};

} // namespace kalvon

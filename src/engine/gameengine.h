#pragma once
// The rules of the local game over one EngineState: spawning, moving, turning and dropping
// pieces, the landing with its line clear, levels and score, and the generation of pieces and
// specials. Every call out goes through the EngineHost; random numbers come from the
// EngineRandom in the order the rules draw them; specials reach their effects through the
// SpecialEffects. No operation waits: where a host call may wait (the line explosion, the
// effects), the step afterwards checks that its game is still the one running.
//
// The state is the engine's alone: every other layer reads it through state() and changes it
// only through the operations declared here.
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
#include <span>

namespace kalvon {

// The column a new piece appears in, in every mode.
inline constexpr int kSpawnColumn = 5;
// How long Tremor, Flash Screen and Holy Shield last.
inline constexpr int64_t kTimedSpecialMs = 7000;

// 2 for player 1, 1 for anyone else.
int OtherPlayer(int p);

// The target of a special used by `user`: himself, or the other local player.
inline int specialTarget(int user, bool onOther)
{
    return onOther ? OtherPlayer(user) : user;
}

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

// One cell of a local field written from outside the rules (internet play's fields): a cell
// code, or nothing for an emptied cell. Cells off the field are skipped.
struct CellWrite {
    int column = 0;
    int row = 0;
    std::optional<int16_t> code;
};

// How the tick drives the smooth fall of a player: whether it is on, the held down key (held,
// the tick it last fired at, its repeat delay), and the fall interval the tick started with.
struct SmoothFall {
    bool enabled = false;
    bool downHeld = false;
    int64_t downLastFired = 0;
    int repeatDelay = 1;
    int fallInterval = 0;
};

class GameEngine {
public:
    GameEngine(EngineHost& host, EngineRandom& random, const Clock& clock);
    GameEngine(const GameEngine&) = delete;
    GameEngine& operator=(const GameEngine&) = delete;

    const EngineState& state() const { return m_state; }
    EngineHost& host() { return m_host; }
    // The drawing interface the host hands out.
    EngineDrawing& drawing() { return m_host.drawing(); }
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

    // --- what the game is played by ---
    void setGameMode(GameMode mode);
    // The display and sound switches; the tick refreshes them, so they may change mid-game.
    void setOptions(const EngineOptions& options);
    // The occurrence percentages of local two-player games.
    void setBlockOccurancy(const BlockOccurancy& occurancy);
    // The rules of a game-options string, with internet play's percentages.
    void setRules(const GameRules& rules, const BlockOccurancy& inetOccurancy);

    // --- game flow ---
    // The File menu asks for a game: from now it counts as started and not paused, and the
    // special line count starts again (internet play: until the server's start or stop).
    void requestStart();
    // The File menu stops the game: it no longer counts as started or paused.
    void requestStop();
    // No game counts as started any more (a client that leaves a server it does not host).
    void clearGameStarted();
    // Every game starts here, at `now`: one player (level 1) or two (the rules' start level) on
    // this keyboard, with empty height LEDs and a fresh score; or internet play from the
    // server's start message (player 1 at the rules' start level; `playsHere` false for a
    // spectator, who gets no piece). Each player's field is emptied, his inventory, counters
    // and timed effects reset, and his first piece and next piece drawn.
    void startGame(int64_t now, bool playsHere = true);
    // Internet play: a game was already running when this client came in. The time counts from
    // `now`; player 1 waits at level 0 without playing until the next start.
    void watchRunningGame(int64_t now);
    // The engine's part of stopping a game.
    void stopGame();
    // This client stops playing a game that goes on for the others (its loss was acknowledged,
    // it left its spot or the room).
    void stopPlaying();
    // The game is left without a stop (the connection to the server is gone): a step of it that
    // waited stops too, and nothing plays here any more.
    void abandonGame();
    // A pause of the game's time that the server ordered: the time played so far is kept and the
    // game is inactive until resumePlay.
    void pausePlay(int64_t now);
    void resumePlay(int64_t now);
    // Ends the player's game.
    void PlayerLost(int p);
    // Field p's game-over picture is no longer shown over it.
    void hideGameOverPicture(int p);
    // Field p shows no next piece.
    void forgetNextPiece(int p);
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

    // --- the game tick ---
    // The fall interval of the player's gravity level.
    int fallInterval(int p) const;
    // The landing test the tick makes before the player acts: a resting piece is drawn without
    // the smooth-fall offset.
    void updateResting(int p);
    // After a move of the held down key: the gravity wait restarts when the key repeats faster
    // than gravity (the fall interval the tick started with).
    void heldDownRestart(int p, int64_t now, int repeatDelay, int fallInterval);
    // Gravity with the smooth fall: gravityStep; when gravity was not due and the smooth fall is
    // on, the pixels (0..16) the piece is drawn lower by, from the gravity wait, or while the
    // down key is held from the key's repeat (gravity's wait then goes on from where the key's
    // offset stands, when the key repeats faster than gravity). Answers whether gravity was due
    // for a falling piece, so the field needs drawing.
    bool fallStep(int p, int64_t now, const SmoothFall& smooth);
    // Tremor ends at 7000 ms, Holy Shield and Flash Screen after 7000 ms. Only the flags clear.
    void endTimedEffects(int p, int64_t now);
    // One step of the top-row warning's pulse: up 10 to 250, then down 10 to 0, and again.
    void pulseWarning(int p);
    // Each running bomb animation of field p whose frame delay has passed shows its next frame;
    // one past its last frame it ends.
    void stepBombs(int p, int64_t now, int64_t frameDelay, int frameCount);

    // --- internet play ---
    // The server's common level: one below the active level is ignored; otherwise it becomes
    // the active level (kept in 0..100) and player 1's fall speed.
    void setCommonLevel(int level);
    // The level steps of the lines counted in LevelLineCount: every `linelevel` lines raise
    // player 1's level by `raiselevel` (nothing while `linelevel` is 0 or below).
    void stepNetworkLevel();
    // Cells of a field written from the wire, then the field handed to the drawing and drawn.
    void writeFieldCells(int p, std::span<const CellWrite> cells);
    // The field a Switch Blocks swap brought: the falling piece's cells stay, the top seven rows
    // stay empty, every other cell takes the swapped field's; then the field is drawn.
    void receiveSwappedField(int p, std::span<const CellWrite> cells);
    // The special at hand leaves the inventory (it was used), and the inventory is shown.
    void spendSpecialAtHand(int p);

    // --- the drawing's own flags ---
    // The line explosion covers field p while it runs (fields 1..3).
    void setExplosionRunning(int p, bool running);
    // The doors of field p close: refused while they close or are not open. doorClosed ends it.
    bool beginDoorClose(int p);
    void doorClosed(int p);
    // The doors of field p open: refused while they open or are open. doorOpened ends it.
    bool beginDoorOpen(int p);
    void doorOpened(int p);
    // A bomb animation starts in `slot` (0..9) of field p, its square at (column, row).
    void startBombSlot(int p, int slot, int column, int row);

private:
    // The effects of the specials work on the state directly.
    friend class GameSpecials;
    // Tests and benchmarks arrange their situations through it (tests/support/enginestateaccess.h).
    friend struct EngineStateAccess;

    bool isPlayer(int p) const { return p == 1 || p == 2; }
    static bool isField(int p) { return p >= 1 && p <= kLocalFields; }
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
    // Cleared lines can turn into planted specials under the running rules.
    bool specialsCanBePlanted() const;
    // Where the next planted special goes: a random candidate, else a low row with room.
    std::optional<Cell> specialPlace(int p);
    void playSound(SoundSlot slot);
    void setCountLabel(LabelId label, int p, BytesView caption, int64_t value);
    void showActiveLevel();
    // A player's part of a game start: labels, inventory, level, counters and timed effects;
    // the active level label shows `activeLevelShown`.
    void resetPlayer(int p, int level, int activeLevelShown);
    // The piece to play and the next piece shown, and the first of them spawned.
    void dealFirstPieces(int p);

    EngineHost& m_host;
    EngineRandom& m_random;
    const Clock& m_clock;
    NoSpecialEffects m_noEffects;
    SpecialEffects* m_effects = &m_noEffects;
    HighScores* m_highScores = nullptr;
    EngineState m_state;
};

} // namespace kalvon

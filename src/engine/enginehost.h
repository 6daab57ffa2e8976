#pragma once
// Everything the engine asks of the program around it: drawing, sounds, label texts, the bot,
// the network and the event loop. The window implements it by forwarding to the renderer, the
// sound effects, its labels, the bot bridge and the internet client; tests plug in a recording
// fake. Players are local players 1 and 2 (3 for the theme page's preview field).

#include "common/bytes.h"
#include "engine/types.h"

#include <array>
#include <cstdint>

namespace kalvon {

// The labels of the fields page the engine writes.
enum class LabelId {
    Lines,       // "Lines: N", per player
    Quads,       // "Quads: N", per player
    Score,       // the one-player score in decimal (player 1)
    Spec,        // the name of the special at hand, per player
    Level,       // "Level: N", per player
    ActiveLevel, // "Active Level: N", set for players 1 and 2 together
};

// The rows a four-line clear removed, top row first, with their cell codes as they were: the
// explosion is drawn from this copy, since the field no longer holds them.
struct ClearedRows {
    int count = 0;
    std::array<int16_t, 4> rows{};
    std::array<std::array<int16_t, kFieldColumns>, 4> colors{};
};

// The one-byte player, count or level character of the wire protocol (150 + n).
inline char PlayerChar(int n) { return byteChar(150 + n); }

class EngineHost {
public:
    virtual ~EngineHost() = default;

    // --- drawing ---
    // Redraws a local field from the game state.
    virtual void DrawField(int p) = 0;
    // Paints the bare field background.
    virtual void PaintFieldBackground(int p) = 0;
    // Hands the drawing library the field's cells.
    virtual void UpdateFieldBlocks(int p) = 0;
    // The trail timer of the field is reset, so the next field draw is not skipped.
    virtual void ResetTrailLastDrawTime(int p) = 0;
    // One shadow cell in `column`, drawn in the row above `landingRow` (0 when the column has no
    // landing row, which puts the cell above the field).
    virtual void DrawShadow(int p, int column, int landingRow) = 0;
    // The trail of a hard drop from (column, startRow) to endRow of a piece of that shape.
    virtual void UpdateTrail(int p, int column, int startRow, int type, int orientation, int endRow) = 0;
    // The four-line explosion over the removed rows; may wait while it runs.
    virtual void AnimateLineExplosion(int p, const ClearedRows& rows) = 0;
    // The special window is handed the player's inventory, and redrawn.
    virtual void UpdateSpecialsWindow(int p) = 0;
    virtual void DrawSpecialWindow(int p) = 0;
    virtual void DrawNextPiece(int p) = 0;

    // --- sound, labels, bot ---
    // Plays one of the theme's sounds (only called while sounds are on).
    virtual void playSound(SoundSlot slot) = 0;
    virtual void setLabel(LabelId label, int p, BytesView text) = 0;
    // The bot is told the player's falling piece type and next piece.
    virtual void BotPieceUpdate(int p) = 0;

    // --- internet play ---
    // Sends one line to the server; CR LF is appended by the sender.
    virtual void SendToServer(BytesView line) = 0;
    // Hands the client's own dispatcher a message as the server would relay it.
    virtual void ClientDispatchMessage(BytesView code, BytesView payload) = 0;
    // Sends the changes of field 1 since the last report.
    virtual void SendFieldUpdate() = 0;
    // Forgets the copy of field 1 last reported, after the field was emptied.
    virtual void ResetSentField() = 0;
    // The level step of internet play over the lines counted in LevelLineCount.
    virtual void CheckLevelUp() = 0;
    // This client's player index on the server.
    virtual int MyIndex() const = 0;

    // --- event loop ---
    virtual void Yield() = 0;
    virtual void Wait(int64_t ms) = 0;

    // --- specials, pause and game over ---
    // Flash Screen: the field picture is given the window's picture and its drawing cleared.
    virtual void ResetFieldPicture(int p) = 0;
    // A bomb animation in `slot` (0..9) whose 4 x 4-cell square starts at cell (column, row);
    // either may be -2.
    virtual void BombCreate(int p, int column, int row, int slot) = 0;
    // The field picture cleared, and (after the field was drawn) shown at once.
    virtual void ClearFieldPicture(int p) = 0;
    virtual void RefreshField(int p) = 0;
    // One frame of the field doors: the field background, then each door showing `width`
    // pixels (0..192) from its own edge, shown at once.
    virtual void DrawDoorFrame(int p, int width) = 0;
    virtual void DrawHeightLed(int p) = 0;
    virtual void ClearTrails() = 0;
    // The blocks' animation frame goes back to its still frame.
    virtual void ResetBlockFrame() = 0;
    // The main 10 ms game timer.
    virtual void SetGameTimer(bool enabled) = 0;
    virtual void PauseMusic() = 0;
    virtual void ResumeMusic() = 0;
    virtual void StopGameMusic() = 0;
    // The pause button's caption, "Pause Game" or "Unpause Game".
    virtual void SetPauseCaption(BytesView caption) = 0;
    // Player 1's field takes the keyboard focus, when the fields page is shown.
    virtual void FocusField() = 0;
    // After a local game: the block-ratio window's frames are enabled again, and the File
    // menu's pause entry is disabled, the menu closed and its game-mode entry enabled.
    virtual void LocalGameEnded() = 0;
    // Internet play: this program hosts the server.
    virtual bool IsHostingServer() const = 0;
    // The built-in server's pause and resume handlers, called with sender -1 (the host).
    virtual void ServerMsgPause(int sender) = 0;
    virtual void ServerMsgResume(int sender) = 0;
    // This client's entry in the player list is marked dead.
    virtual void MarkMyPlayerDead() = 0;
};

} // namespace kalvon

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
};

} // namespace kalvon

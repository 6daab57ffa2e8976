#pragma once
// Everything the engine asks of the program around it: the drawing interface (handed out, not
// forwarded), sounds, label texts, the bot, the network, the event loop, and the window's part
// in pausing and ending a game. The game core implements it over the sound effects, the
// window's labels, the bot bridge and internet play; tests plug in a recording fake. Players
// are local players 1 and 2 (3 for the theme page's preview field).

#include "common/bytes.h"
#include "engine/enginedrawing.h"
#include "engine/types.h"

#include <cstdint>

namespace kalvon {

// The labels of the fields page the engine writes.
enum class LabelId {
    Lines, // "Lines: N", per player
    Quads, // "Quads: N", per player
    Score, // the one-player score in decimal (player 1)
    Spec, // the name of the special at hand, per player
    Level, // "Level: N", per player
    ActiveLevel, // "Active Level: N", set for players 1 and 2 together
};

class EngineHost {
public:
    virtual ~EngineHost() = default;

    // The drawing of the fields and the windows beside them.
    virtual EngineDrawing& drawing() = 0;

    // --- sound, labels, bot ---
    // Plays one of the theme's sounds (only called while sounds are on).
    virtual void playSound(SoundSlot slot) = 0;
    virtual void setLabel(LabelId label, int p, BytesView text) = 0;
    // The bot is told the player's falling piece type and next piece.
    virtual void BotPieceUpdate(int p) = 0;

    // --- internet play ---
    // A client that does not host asks the server to pause the game, or to resume it.
    virtual void sendPauseGame() = 0;
    virtual void sendResumeGame() = 0;
    // The server is told that this client's player lost.
    virtual void sendPlayerLost() = 0;
    // A line clear sends `lines` to all the others; the client's own log shows them as the
    // server would relay them.
    virtual void addLinesToAll(int lines) = 0;
    // Sends the changes of field 1 since the last report.
    virtual void SendFieldUpdate() = 0;
    // Forgets the copy of field 1 last reported, after the field was emptied.
    virtual void ResetSentField() = 0;
    // The level step of internet play over the lines counted in LevelLineCount.
    virtual void CheckLevelUp() = 0;

    // --- event loop ---
    virtual void Yield() = 0;
    virtual void Wait(int64_t ms) = 0;

    // --- specials, pause and game over ---
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

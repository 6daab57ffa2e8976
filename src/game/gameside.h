#pragma once
// What the main window's start-up and shut-down ask of the game's side of the program: the game
// core with its drawing and its 10 ms timer, the music module, internet play and the bot bridge.
// The game program wires the real ones (CoreGameSide); tests plug in a recording fake.

#include "common/bytes.h"
#include "engine/types.h"

namespace kalvon {

class GameSide {
public:
    virtual ~GameSide() = default;

    // --- start-up ---
    // The drawing library's team-font table, built once before anything is drawn.
    virtual void KalvonGenerateFontTable() = 0;
    // The drop-trail pictures, made from the trail colour of the options.
    virtual void GenerateTrail() = 0;
    // The game options' reset: the slot tables and the opponents' boards behind closed doors,
    // the key captions, no third next piece, both fields emptied and drawn, no bomb animation.
    virtual void resetGameOptions() = 0;
    // The game mode of the settings, before anything is laid out.
    virtual void setGameMode(GameMode mode) = 0;
    // The game-mode menu's handler for row GameMode - 1: the window laid out for the mode.
    virtual void gameModeChosen(int index) = 0;

    // --- music ---
    virtual void InitSound() = 0;
    // Loads `file` as the game music (the options decide whether music plays at all).
    virtual void LoadGameMusic(BytesView file) = 0;
    virtual void StopGameMusic() = 0;
    virtual void CloseSound() = 0;

    // --- shut-down ---
    // Internet play: the client is connected to a server, and a line sent to it.
    virtual bool Connected() const = 0;
    virtual void SendToServer(BytesView line) = 0;
    // The main game timer, the client's receive-queue timer and the theme preview's timer stop.
    virtual void stopTimers() = 0;
    virtual void BotUnlink() = 0;
};

} // namespace kalvon

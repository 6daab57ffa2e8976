#pragma once
// The game core, without widgets: the engine with the core's host, the held keys and the
// keyboard handlers, the bot bridge, the 10 ms game tick and its ticker, and the game session
// (start, stop, pause, game mode, File menu). The program makes one with the services it wires,
// hands it the renderer to draw with, registers the ticker with the event pump, installs the
// window's key filter on the field, and calls the session's and keyboard's handlers.

#include "engine/boarddoors.h"
#include "engine/enginerandom.h"
#include "engine/gameengine.h"
#include "engine/specials.h"
#include "game/botbridge.h"
#include "game/coreenginehost.h"
#include "game/fieldkeyboard.h"
#include "game/gamesession.h"
#include "game/gametick.h"
#include "game/heldkeys.h"
#include "game/soundplayer.h"
#include "platform/gameticker.h"

#include <filesystem>

namespace kalvon {

class Dialogs;
class EngineDrawing;
class EventPump;
class GameWindow;
class InternetPlay;
class MusicModule;
class HighScores;
class SoundEffects;
struct Options;
struct Themes;

struct GameServices {
    const Clock& clock;
    EventPump& pump;
    Options& options;
    Themes& themes;
    GameWindow& window;
    InternetPlay& internet;
    MusicModule& music;
    SoundEffects& soundEffects;
    Dialogs& dialogs;
    // The table a lost one-player game is ranked in.
    HighScores& highScores;
    // Where the bot plug-in and relative sound paths are found.
    std::filesystem::path programFolder;
};

class GameCore {
public:
    // `seed` starts the engine's random sequence.
    GameCore(const GameServices& services, uint64_t seed);
    GameCore(const GameCore&) = delete;
    GameCore& operator=(const GameCore&) = delete;

    GameEngine& engine() { return m_engine; }
    EngineHost& host() { return m_host; }
    // The game draws through this (the renderer, made after the core since it reads the engine).
    void setDrawing(EngineDrawing& drawing) { m_host.setDrawing(drawing); }
    HeldKeys& keys() { return m_keys; }
    // The opponents' board doors, for the board drawing and the door procedures.
    NetDoors& netDoors() { return m_netDoors; }
    BotBridge& bot() { return m_bot; }
    SoundPlayer& sounds() { return m_sounds; }
    GameTicker& ticker() { return m_ticker; }
    GameTick& tick() { return m_tick; }
    GameSession& session() { return m_session; }
    FieldKeyboard& keyboard() { return m_keyboard; }

private:
    StandardRandom m_random;
    HeldKeys m_keys;
    NetDoors m_netDoors{};
    SoundPlayer m_sounds;
    CoreEngineHost m_host;
    GameEngine m_engine;
    GameSpecials m_specials;
    BotBridge m_bot;
    GameTick m_tick;
    GameTicker m_ticker;
    GameSession m_session;
    FieldKeyboard m_keyboard;
};

} // namespace kalvon

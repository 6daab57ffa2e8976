#pragma once
// The game tick (the main game timer, every 10 ms while a game runs and is not paused): reads the clock
// once, keeps the music looping, shows the game time and lines per minute, lets the bot act,
// repeats held keys, applies gravity and the smooth fall, ends timed effects, pulses the
// top-row warning, steps bombs and the theme's animations, redraws what changed, and in
// internet play animates and redraws the opponents' boards. The rules and what they change stay
// in the engine and the drawing in the renderer; the tick decides what to call and when.

#include "common/bytes.h"
#include "engine/boarddoors.h"

#include <cstdint>

namespace kalvon {

class BotBridge;
class Clock;
class EngineDrawing;
class GameEngine;
class GameWindow;
class InternetPlay;
class MusicModule;
struct HeldKeys;
struct Options;
struct Themes;

// The caption while a game runs: "Kalvon v1.91 - Game Time: M min S sec" for `elapsedMs`.
Bytes gameTimeCaption(int64_t elapsedMs);
// "LPM: " and lines per minute to two decimals ("LPM: 0" before any play time).
Bytes linesPerMinuteText(int lines, int64_t elapsedMs);

inline constexpr char kProgramVersion[] = "1.91";
inline constexpr char kProgramCaption[] = "Kalvon v1.91";

struct GameTickParts {
    GameEngine& engine;
    const Options& options;
    Themes& themes;
    HeldKeys& keys;
    BotBridge& bot;
    GameWindow& window;
    InternetPlay& internet;
    // Boards 1..5 of the opponents' doors.
    NetDoors& doors;
    MusicModule& music;
    const Clock& clock;
};

class GameTick {
public:
    explicit GameTick(const GameTickParts& parts);

    // One tick of the main game timer.
    void runTick();

private:
    void tickPlayer(int p, int64_t now, int64_t elapsed, bool& redraw);
    void heldKeyActions(int p, int64_t now, int interval, bool& redraw);
    void gravity(int p, int64_t now, int interval, bool& redraw);
    bool animationNeedsRedraw(int p) const;
    void sharedAnimations(int64_t now);
    void remoteBoards(int64_t now);
    void sideWindows(int64_t now);
    void drawSpecialWindows();
    void drawNextPieces();
    // The drawing the engine's host hands out.
    EngineDrawing& drawing();

    GameTickParts m;
};

} // namespace kalvon

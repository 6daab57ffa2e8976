#pragma once
// The display and sound options the engine reads while it plays (check boxes of the options
// pages, "checked" meaning value 1). The window fills them; they may change during a game.

namespace kalvon {

struct EngineOptions {
    bool sounds = false; // play the theme's sound effects
    bool shadows = false; // draw the landing shadow of the falling piece
    bool explode = false; // four-line clears show the line explosion
    bool dropTrail = false; // hard drops leave a trail
    bool smoothFall = false; // the piece slides between rows
    bool bombAnimation = false; // Block Bomb shows its explosion animation
    bool doors = false; // the field doors close and open at game end and start
};

} // namespace kalvon

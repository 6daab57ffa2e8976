#pragma once
// The doors over the opponents' five boards: closed at start-up, opening when a player takes
// the board's slot, closing when the slot empties. The door procedures here set them, the game
// tick steps them a row at a time (a row when more than 50 ms have passed; reaching the end
// row and finishing are separate steps, so a whole movement takes 23 steps), and the board
// drawing shows them. Plain data and rules: the caller passes the door option, whether a game
// runs and the time.

#include "engine/types.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kalvon {

inline constexpr int16_t kNetDoorClosedRow = 22;
inline constexpr int64_t kNetDoorStepMs = 50;

struct NetDoor {
    bool Open = false;
    bool Opening = false;
    bool Closing = false;
    int16_t Row = kNetDoorClosedRow; // 22 covers the board, 0 is open
    int64_t LastStep = 0;

    // Shut, neither open nor moving: a closed door shows nothing but itself.
    bool isClosed() const { return !Open && !Opening && !Closing; }
    bool isMoving() const { return Opening || Closing; }
};

// Boards 1..5 (element 0 unused).
using NetDoors = std::array<NetDoor, kInternetFields + 1>;

// A board's slot emptied: an open door that is not moving starts closing during a game and
// shuts at once otherwise; with the door option off it only stops counting as open. True when
// the door started closing (the board's win image goes with it).
bool StartLostFieldAnimation(NetDoor& door, bool doorsOn, bool gameActive, int64_t now);
// A player took the board's slot: the door opens from fully closed whatever its state, its
// first step on the next tick. With the door option off it is simply open.
void ResetLostFieldAnimation(NetDoor& door, bool doorsOn);
// Open or shut at once, without animation.
void setDoorOpen(NetDoor& door, bool open);
// A closing door ends closed at once.
void finishLostFieldAnimation(NetDoor& door);

// What one tick's door steps changed: the boards whose closing door moved (each redrawn), and
// whether an opening door moved (every shown board is redrawn).
struct DoorSteps {
    std::vector<int> closingMoved;
    bool openingMoved = false;
};
DoorSteps stepDoors(NetDoors& doors, int64_t now);

} // namespace kalvon

#pragma once
// The held keys of the two local players: for each of the eight repeatable actions whether its
// key is down (KeyHeld) and the tick it last fired at (KeyLastTime; 0 fires on the next tick).
// Key handlers and the bot set the flags; the game tick turns them into moves.

#include "engine/state.h"
#include "engine/store/options.h"

#include <array>
#include <cstdint>

namespace kalvon {

// The repeatable actions, in the order the tick tries them (and key-up clears them).
inline constexpr KeyAction kRepeatableActions[] = {
    KeyAction::Rotate2,
    KeyAction::Rotate,
    KeyAction::Left,
    KeyAction::Right,
    KeyAction::Drop,
    KeyAction::Down,
    KeyAction::UseSelf,
    KeyAction::UseOther,
};

// The six movement actions: the bot drives them, game start times them.
inline constexpr KeyAction kMovementActions[] = {
    KeyAction::Rotate2,
    KeyAction::Rotate,
    KeyAction::Left,
    KeyAction::Right,
    KeyAction::Drop,
    KeyAction::Down,
};

struct HeldKeys {
    // Indexed [player][KeyAction]; only the repeatable actions (0..7) are used.
    PerPlayer<std::array<bool, 8>> KeyHeld{};
    PerPlayer<std::array<int64_t, 8>> KeyLastTime{};

    bool& held(int p, KeyAction a) { return KeyHeld.at(size_t(p)).at(size_t(a)); }
    bool held(int p, KeyAction a) const { return KeyHeld.at(size_t(p)).at(size_t(a)); }
    int64_t& lastTime(int p, KeyAction a) { return KeyLastTime.at(size_t(p)).at(size_t(a)); }

    // Focus loss: every flag of both players is cleared; the repeat times stay.
    void releaseAll()
    {
        for (auto& row : KeyHeld)
            row.fill(false);
    }
};

} // namespace kalvon

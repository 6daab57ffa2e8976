#pragma once
// The held keys of the two local players: for each of the eight repeatable actions whether its
// key is down (KeyHeld), the tick it last fired at (KeyLastTime; 0 fires on the next tick), and
// whether a press has not been acted on yet (KeyTapped), so a key pressed and released between
// two ticks still acts once. Key handlers and the bot set the flags; the game tick turns them
// into moves.

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
    PerPlayer<std::array<bool, 8>> KeyTapped{};

    bool& held(int p, KeyAction a) { return KeyHeld.at(size_t(p)).at(size_t(a)); }
    bool held(int p, KeyAction a) const { return KeyHeld.at(size_t(p)).at(size_t(a)); }
    int64_t& lastTime(int p, KeyAction a) { return KeyLastTime.at(size_t(p)).at(size_t(a)); }
    bool& tapped(int p, KeyAction a) { return KeyTapped.at(size_t(p)).at(size_t(a)); }

    // A key goes down: held, and a fresh press is owed one action even if released at once.
    void press(int p, KeyAction a)
    {
        if (!held(p, a))
            tapped(p, a) = true;
        held(p, a) = true;
    }

    // The tick acts on the key when it is held or a press is still owed.
    bool wanted(int p, KeyAction a) const { return held(p, a) || KeyTapped.at(size_t(p)).at(size_t(a)); }

    // Focus loss: every flag of both players is cleared, owed presses too; the repeat times stay.
    void releaseAll()
    {
        for (auto& row : KeyHeld)
            row.fill(false);
        for (auto& row : KeyTapped)
            row.fill(false);
    }
};

} // namespace kalvon

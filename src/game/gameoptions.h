#pragma once
// The options model as the game reads it: the display switches the engine plays with, and the
// host's rules that a two-player game (and the built-in server) build the game options from.

#include "engine/engineoptions.h"
#include "engine/store/options.h"
#include "net/wire/gameoptions.h"

namespace kalvon {

// "Checked" is the value 1 (a greyed box, 2, is off).
inline bool isChecked(CheckValue value)
{
    return value == 1;
}

EngineOptions engineOptionsFrom(const Options& options);

// The rule fields read as numbers (Val, rounded half to even) and the rule boxes' values, with
// the local occurrence percentages.
wire::HostRules hostRulesFrom(const Options& options);

// The key-repeat delay as the scroll bar holds it: 1..200 ms.
int keyRepeatDelay(const Options& options);

} // namespace kalvon

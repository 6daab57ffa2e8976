#pragma once
// Test failures show an options model as the settings file it would write, plus the values the
// file does not carry.

#include "engine/store/settingsfile.h"

#include <ostream>

namespace kalvon {

inline void PrintTo(const Options& options, std::ostream* out)
{
    *out << "\n"
         << settingsText(options) << "(team box: " << options.network.team << "; player 2's internet keys:";
    for (int action = static_cast<int>(KeyAction::Irevenge); action < kKeyActions; ++action)
        *out << " " << options.controls.keyBindings[1][action];
    *out << ")\n";
}

} // namespace kalvon

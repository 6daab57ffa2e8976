#pragma once
// The settings a fresh install starts with: every option at its default, plus key bindings
// (which the file's own defaults leave unset), so that a first start is playable.

#include "engine/store/options.h"

#include <filesystem>

namespace kalvon {

// Player 1 on the arrow keys and the keys around Enter, player 2 on the left-hand letters, the
// internet keys on T, Y, R and the digits 1 to 6. No key serves two actions.
ControlSettings defaultControls();

// The fresh-install model: Options{} with defaultControls(), in one-player mode.
Options defaultInstallOptions();

// Writes the fresh-install settings to `file` when no file exists there; an existing file,
// whatever it holds, is left alone. True when a file was written.
bool installDefaultSettings(const std::filesystem::path& file);

} // namespace kalvon

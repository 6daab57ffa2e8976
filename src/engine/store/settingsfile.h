#pragma once
// The settings file kalvon.ini as a whole: read once at start-up into the options model, written
// whole at exit.

#include "common/bytes.h"
#include "engine/store/options.h"

#include <filesystem>

namespace kalvon {

inline constexpr char kSettingsFileName[] = "kalvon.ini";

// Where kalvon.ini is: beside the program when that folder is writable, else in the user's
// configuration folder (created when missing).
std::filesystem::path settingsFilePath(const std::filesystem::path& programFolder);

// Reads the file into `options`. A missing or unreadable file gives every key its default.
// Each section loads on its own: a bad value ends only its own section (in [General] only
// that key), and the keys after it keep what `options` held.
void LoadSettings(const std::filesystem::path& file, Options& options);

// The whole file: the two comment lines, [General], then each further section after a line
// holding one space, every line ended by CR LF.
Bytes settingsText(const Options& options);

// Writes the file whole through a temporary file. On failure the old file stays as it was and
// false comes back; nothing is shown to the user.
[[nodiscard]] bool SaveSettings(const std::filesystem::path& file, const Options& options);

} // namespace kalvon

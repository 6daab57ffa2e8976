#pragma once
// kvm.ini, the editor's configuration file beside the program: a comment line, then the
// [Sound Mixer] section as the game writes it. Read at start-up, written whole at the end.

#include "common/bytes.h"
#include "common/inifile.h"
#include "common/soundmixer.h"

#include <filesystem>
#include <string_view>

namespace kalvon::editor {

inline constexpr std::string_view kEditorConfigName = "kvm.ini";

// The sound settings of a parsed kvm.ini. A key that is missing, or whose value does not
// convert, takes its default (44100, 8, 1): one damaged line cannot turn sound off for every
// later start. An output outside 0 to 3 is 1.
SoundMixer ReadEditorConfig(const IniDocument& file);
// The same from a file; a file that is missing or cannot be read gives the defaults.
SoundMixer LoadEditorConfig(const std::filesystem::path& file);

// The whole file, every line ended by CR LF.
Bytes EditorConfigBytes(const SoundMixer& mixer);
// SaveConfig: writes the file whole through a temporary file; false when it could not be written.
[[nodiscard]] bool SaveConfig(const std::filesystem::path& file, const SoundMixer& mixer);

} // namespace kalvon::editor

#pragma once
// The theme's sound effects as the game plays them: a sound slot (or a path as the theme
// stored it) played through the sound effects when the sounds option is on.

#include "common/bytes.h"
#include "engine/types.h"

#include <filesystem>

namespace kalvon {

class SoundEffects;
struct Options;
struct Themes;

class SoundPlayer {
public:
    // Relative sound paths are found from `programFolder`.
    SoundPlayer(SoundEffects& effects, const Themes& themes, const Options& options,
        std::filesystem::path programFolder);

    void play(SoundSlot slot);
    // PlaySoundFile of a stored path.
    void playFile(BytesView stored);

private:
    SoundEffects& m_effects;
    const Themes& m_themes;
    const Options& m_options;
    std::filesystem::path m_programFolder;
};

} // namespace kalvon

#include "game/soundplayer.h"

#include "engine/store/options.h"
#include "platform/soundeffects.h"
#include "render/themepaths.h"
#include "render/themerecord.h"

namespace kalvon {

SoundPlayer::SoundPlayer(
    SoundEffects& effects, const Themes& themes, const Options& options, std::filesystem::path programFolder)
    : m_effects(effects)
    , m_themes(themes)
    , m_options(options)
    , m_programFolder(std::move(programFolder))
{
}

void SoundPlayer::play(SoundSlot slot)
{
    const auto index = static_cast<size_t>(slot);
    if (index < m_themes.ThemeSounds.size())
        playFile(m_themes.ThemeSounds[index]);
}

void SoundPlayer::playFile(BytesView stored)
{
    if (m_options.sound.sounds == 0 || stored.empty())
        return;
    PlaySoundFile(m_effects, m_options.sound.sounds, themeFilePath(stored, m_programFolder));
}

} // namespace kalvon

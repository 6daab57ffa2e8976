#include "common/music/gamemusic.h"

namespace kalvon {

namespace {

// The shared checks of LoadGameMusic and PlayGameMusic; false when music is off.
bool chooseGameMusic(const MusicOptions& options, BytesView themeMusic, Bytes& file)
{
    if (options.playMusic == 0)
        return false;
    if (options.useThemeMusic == 1)
        file = Bytes(themeMusic);
    return true;
}

} // namespace

void LoadGameMusic(MusicModule& music, const MusicOptions& options, BytesView themeMusic, Bytes& file)
{
    if (chooseGameMusic(options, themeMusic, file))
        music.LoadMusic(file);
}

void PlayGameMusic(MusicModule& music, const MusicOptions& options, BytesView themeMusic, Bytes& file)
{
    if (chooseGameMusic(options, themeMusic, file))
        music.PlayMusic();
}

void StopGameMusic(MusicModule& music)
{
    music.StopMusic();
}

} // namespace kalvon

#pragma once
// Starting and stopping the background music under the user's music options.

#include "common/music/musicmodule.h"

namespace kalvon {

struct MusicOptions {
    int playMusic = 0; // check box value of "Play music" (1 = on)
    int useThemeMusic = 0; // check box value of "Use theme music" (1 = on)
};

// Nothing when music is off; with theme music on, `file` is overwritten with the theme's music
// path first; then the module loads (plays) it.
void LoadGameMusic(MusicModule& music, const MusicOptions& options, BytesView themeMusic, Bytes& file);
void PlayGameMusic(MusicModule& music, const MusicOptions& options, BytesView themeMusic, Bytes& file);
// Stops the music whatever the options say.
void StopGameMusic(MusicModule& music);

} // namespace kalvon

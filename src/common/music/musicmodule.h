#pragma once
// What the game asks of the music module. The module itself (streams and tracker songs on the
// audio device, with the sound mixer settings) implements it; tests use a recording fake.

#include "common/bytes.h"

namespace kalvon {

class MusicModule {
public:
    virtual ~MusicModule() = default;
    // Loads a music file; "[none]" in any case is ignored.
    virtual void LoadMusic(BytesView path) = 0;
    virtual void PlayMusic() = 0;
    virtual void StopMusic() = 0;
    // Forgets the music loaded (stopped first by the caller).
    virtual void FreeMusic() { }
    virtual void PauseMusic() = 0;
    virtual void ResumeMusic() = 0;
    // Called by every game tick: restarts music that has played to its end. A module that loops
    // by itself has nothing to do.
    virtual void CheckMusicLoop() { }
};

} // namespace kalvon

#pragma once
// [Sound Mixer]: how the audio device is opened. Both programs keep this section in their own
// settings file (kalvon.ini, kvm.ini).

#include "common/inifile.h"
#include "common/sectionio.h"

#include <cstdint>

namespace kalvon {

// `output` 0 no sound, 1..3 the output kinds.
struct SoundMixer {
    int32_t frequency = 44100;
    int32_t numchannels = 8;
    int32_t output = 1;
    bool operator==(const SoundMixer&) const = default;
};

void LoadSoundMixer(const IniDocument& file, SoundMixer& mixer);
void SaveSoundMixer(SettingsWriter& out, const SoundMixer& mixer);

} // namespace kalvon

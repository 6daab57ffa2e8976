#include "common/soundmixer.h"

#include "common/vbconv.h"

namespace kalvon {

void LoadSoundMixer(const IniDocument& file, SoundMixer& mixer)
{
    const SoundMixer defaults;
    SectionReader in(file, "Sound Mixer");
    in.readInt32("frequency", defaults.frequency, mixer.frequency);
    if (std::optional<Bytes> output = in.value("output", vb::formatInt(defaults.output))) {
        const std::optional<double> number = vb::toNumber(*output);
        if (!number)
            in.refuse();
        else if (*number < 0 || *number > 3)
            *output = vb::formatInt(defaults.output);
        // Only the four plain texts select an output; "2.5" or "02" leave it as it was.
        if (number && output->size() == 1 && (*output)[0] >= '0' && (*output)[0] <= '3')
            mixer.output = (*output)[0] - '0';
    }
    in.readInt32("numchannels", defaults.numchannels, mixer.numchannels);
}

void SaveSoundMixer(SettingsWriter& out, const SoundMixer& mixer)
{
    out.section("Sound Mixer");
    out.key("frequency", mixer.frequency);
    out.key("numchannels", mixer.numchannels);
    out.line("//0-NoSound,1-WinMM,2-DirectSound,3-A3D, #1 is recommended");
    out.key("output", mixer.output);
}

} // namespace kalvon

#include "editor/model/editorconfig.h"

#include "common/atomicfile.h"
#include "common/sectionio.h"
#include "common/vbconv.h"

namespace kalvon::editor {

SoundMixer ReadEditorConfig(const IniDocument& file)
{
    SoundMixer mixer;
    // Skipping a bad key leaves its default in place.
    SectionReader in(file, "Sound Mixer", SectionReader::OnBadValue::SkipKey);
    in.readInt32("frequency", mixer.frequency, mixer.frequency);
    in.readInt32("numchannels", mixer.numchannels, mixer.numchannels);
    const std::optional<Bytes> output = in.storedValue("output");
    const std::optional<int32_t> number = output ? vb::CLng(*output) : std::nullopt;
    if (number && *number >= 0 && *number <= 3)
        mixer.output = *number;
    return mixer;
}

SoundMixer LoadEditorConfig(const std::filesystem::path& file)
{
    const std::optional<IniDocument> document = IniDocument::load(file);
    return document ? ReadEditorConfig(*document) : SoundMixer();
}

Bytes EditorConfigBytes(const SoundMixer& mixer)
{
    SettingsWriter out;
    out.line("//Kalvon Theme Maker Configuration");
    SaveSoundMixer(out, mixer);
    return out.bytes();
}

bool SaveConfig(const std::filesystem::path& file, const SoundMixer& mixer)
{
    return writeFileAtomically(file, EditorConfigBytes(mixer)).ok;
}

} // namespace kalvon::editor

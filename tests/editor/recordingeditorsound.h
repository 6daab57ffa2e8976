#pragma once
// An EditorSound that records what the editor asks of it.

#include "editor/model/soundtryout.h"

#include <string>
#include <vector>

namespace kalvon::editor::testing {

class RecordingEditorSound final : public EditorSound {
public:
    std::vector<std::string> calls;

    void InitSound(const SoundMixer& mixer) override
    {
        calls.push_back("InitSound " + std::to_string(mixer.frequency) + " "
            + std::to_string(mixer.numchannels) + " " + std::to_string(mixer.output));
    }
    void CloseSound() override { calls.push_back("CloseSound"); }
    void LoadMusic(BytesView file) override { calls.push_back("LoadMusic " + std::string(file)); }
    void PlayMusic() override { calls.push_back("PlayMusic"); }
    void StopMusic() override { calls.push_back("StopMusic"); }
    void FreeMusic() override { calls.push_back("FreeMusic"); }
    void PlayWave(BytesView file) override { calls.push_back("PlayWave " + std::string(file)); }
};

} // namespace kalvon::editor::testing

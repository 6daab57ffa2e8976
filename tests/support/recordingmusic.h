#pragma once
// A MusicModule fake that records the calls made to it, as "load:<path>", "play", "stop", ...

#include "common/music/musicmodule.h"

#include <string>
#include <vector>

namespace kalvon::testing {

class RecordingMusic final : public MusicModule {
public:
    std::vector<std::string> calls;

    void LoadMusic(BytesView path) override { calls.push_back("load:" + std::string(path)); }
    void PlayMusic() override { calls.push_back("play"); }
    void StopMusic() override { calls.push_back("stop"); }
    void FreeMusic() override { calls.push_back("free"); }
    void PauseMusic() override { calls.push_back("pause"); }
    void ResumeMusic() override { calls.push_back("resume"); }
};

} // namespace kalvon::testing

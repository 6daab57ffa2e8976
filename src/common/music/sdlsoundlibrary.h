#pragma once
// The sound library over SDL2_mixer's music stream, on the program's audio device. SDL2_mixer
// plays one music at a time, so a stream or song that starts ends the one playing. Streams
// (WAV, OGG, MP3, ...) and songs (MOD, XM, S3M, IT, and MIDI through the General MIDI sound
// font) both loop inside the library, so a stream comes round again without a gap and the
// module's restart of an ended stream is only a safety net. Windows Media files (WMA, ASF)
// cannot be decoded here; they fail with the missing-codec error.

#include "common/music/soundlibrary.h"

#include <filesystem>
#include <map>

struct _Mix_Music;

namespace kalvon {

class AudioDevice;

class SdlSoundLibrary final : public SoundLibrary {
public:
    // Names are stored paths: "\" or "/", relative ones taken from `baseFolder`, found without
    // regard to case when the exact name is missing.
    SdlSoundLibrary(const AudioDevice& device, std::filesystem::path baseFolder);
    ~SdlSoundLibrary() override;
    SdlSoundLibrary(const SdlSoundLibrary&) = delete;
    SdlSoundLibrary& operator=(const SdlSoundLibrary&) = delete;

    bool Started() const override;
    int32_t GetError() const override { return m_error; }

    int32_t StreamOpen(BytesView file) override { return open(file); }
    int32_t StreamPlay(int32_t stream) override;
    void StreamStop(int32_t stream) override { halt(stream); }
    void StreamClose(int32_t stream) override { release(stream); }
    bool IsPlaying(int32_t channel) override;
    void SetPaused(int32_t channel, bool paused) override;

    int32_t SongLoad(BytesView file) override { return open(file); }
    bool SongPlay(int32_t song) override;
    void SongStop(int32_t song) override { halt(song); }
    void SongSetPaused(int32_t song, bool paused) override;
    void SongFree(int32_t song) override { release(song); }

private:
    int32_t open(BytesView file);
    bool play(int32_t handle);
    void halt(int32_t handle);
    void release(int32_t handle);
    void fail(SoundError error);

    const AudioDevice& m_device;
    std::filesystem::path m_baseFolder;
    std::map<int32_t, _Mix_Music*> m_loaded;
    int32_t m_nextHandle = 1;
    int32_t m_nextChannel = 1;
    int32_t m_playing = 0; // the handle started last, 0 none
    int32_t m_channel = 0; // the channel of the stream started last
    int32_t m_error = 0;
};

} // namespace kalvon

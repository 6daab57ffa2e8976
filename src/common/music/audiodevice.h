#pragma once
// The program's one SDL audio device, shared by the music stream and the sound effects.
// Effects use a reserved mixer channel, so they keep working when music fails to start. The
// music and the effects channel play at volumes that add up to less than full scale, so the two
// together never clip. MIDI music plays through SDL2_mixer's synthesiser with a General MIDI
// sound font: the one named by SDL_SOUNDFONTS, or else the first installed of the usual Debian
// places (the timgm6mb-soundfont package provides one).

#include <string>

namespace kalvon {

struct SdlAudio;
struct SdlAudioLoad;

struct AudioFormat {
    int frequency = 44100;
    int channels = 8; // mixer channels, not speakers
};

class AudioDevice {
public:
    // Where the libraries come from: the system's, loaded at the first open.
    using Loader = const SdlAudioLoad& (*)();
    AudioDevice();
    explicit AudioDevice(Loader loader);
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // Opens the device (once); false with the library's message in lastError() on failure.
    bool open(const AudioFormat& format);
    void close();
    bool isOpen() const { return m_open; }
    const std::string& lastError() const { return m_lastError; }
    // The libraries' functions: there from the first open that found them, and kept after a
    // close (what was loaded while open is freed through them).
    const SdlAudio* sdl() const { return m_sdl; }

    // The mixer channel reserved for sound effects.
    static constexpr int kEffectsChannel = 0;
    // Volumes out of SDL2_mixer's 128: their sum stays below 128, the headroom that keeps a
    // full-scale effect over full-scale music from clipping.
    static constexpr int kMusicVolume = 60;
    static constexpr int kEffectsVolume = 64;

private:
    Loader m_loader;
    const SdlAudio* m_sdl = nullptr;
    bool m_open = false;
    std::string m_lastError;
};

} // namespace kalvon

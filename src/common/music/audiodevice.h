#pragma once
// The program's one SDL audio device, shared by the music stream and the sound effects.
// Effects use a reserved mixer channel, so they keep working when music fails to start.

#include <string>

namespace kalvon {

struct AudioFormat {
    int frequency = 44100;
    int channels = 8; // mixer channels, not speakers
};

class AudioDevice {
public:
    AudioDevice() = default;
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // Opens the device (once); false with the library's message in lastError() on failure.
    bool open(const AudioFormat& format);
    void close();
    bool isOpen() const { return m_open; }
    const std::string& lastError() const { return m_lastError; }

    // The mixer channel reserved for sound effects.
    static constexpr int kEffectsChannel = 0;

private:
    bool m_open = false;
    std::string m_lastError;
};

} // namespace kalvon

#pragma once
// A small synthesiser: band-limited oscillators, enveloped tones and noise bursts mixed into
// float buffers, a one-pole filter and normalisation. Deterministic: the noise comes from a
// seeded generator of our own.

#include <cstdint>
#include <vector>

namespace kalvon::themegen::synth {

enum class Wave { Sine, Triangle, Square, Saw };

struct Tone {
    double start = 0; // seconds
    double duration = 0.1; // seconds, release included
    double from = 440; // Hz at the start
    double to = 0; // Hz at the end (exponential glide); 0 = no glide
    Wave wave = Wave::Sine;
    double amplitude = 0.5;
    double attack = 0.005; // seconds
    double decay = 0; // exponential decay time constant in seconds; 0 = none
    double release = 0.02; // fade over the last seconds of the duration
    double vibratoHz = 0;
    double vibratoCents = 0;
    double pulseWidth = 0.5; // square waves only
};

struct Noise {
    double start = 0;
    double duration = 0.1;
    double amplitude = 0.5;
    double attack = 0.002;
    double decay = 0.05;
    double lowpassFrom = 8000; // Hz, the filter sweeps exponentially
    double lowpassTo = 8000;
    double highpass = 0; // Hz, 0 = none
    uint32_t seed = 1;
};

double midiHz(double note);

class Buffer {
public:
    Buffer(int sampleRate, double seconds);
    int sampleRate() const { return m_rate; }
    std::vector<float>& samples() { return m_samples; }
    const std::vector<float>& samples() const { return m_samples; }

    void add(const Tone& tone);
    void add(const Noise& noise);
    // Mixes another buffer in at a gain, starting at `start` seconds.
    void mix(const Buffer& other, double gain, double start = 0);
    void lowpass(double cutoffHz);
    // A feedback echo: delay in seconds, feedback and wet level in [0, 1).
    void echo(double delay, double feedback, double wet);
    // Gentle saturation, then scaled so the loudest sample has this magnitude.
    void normalize(double peak);
    // Fades the last `seconds` of the buffer to silence.
    void fadeOut(double seconds);

private:
    int m_rate;
    std::vector<float> m_samples;
};

} // namespace kalvon::themegen::synth

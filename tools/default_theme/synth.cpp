#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kalvon::themegen::synth {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// The polynomial correction that removes most aliasing at a waveform's jumps.
double polyBlep(double t, double dt)
{
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double oscillator(Wave wave, double phase, double dt, double width)
{
    switch (wave) {
    case Wave::Sine: return std::sin(kTwoPi * phase);
    case Wave::Triangle: return 1.0 - 4.0 * std::abs(phase - 0.5);
    case Wave::Saw: return 2.0 * phase - 1.0 - polyBlep(phase, dt);
    case Wave::Square: {
        double v = phase < width ? 1.0 : -1.0;
        v += polyBlep(phase, dt);
        v -= polyBlep(std::fmod(phase + 1.0 - width, 1.0), dt);
        return v;
    }
    }
    return 0.0;
}

double envelope(double t, double duration, double attack, double decay, double release)
{
    double level = attack > 0 && t < attack ? t / attack : 1.0;
    if (decay > 0)
        level *= std::exp(-std::max(0.0, t - attack) / decay);
    const double tail = duration - t;
    if (release > 0 && tail < release)
        level *= std::max(0.0, tail / release);
    return level;
}

uint32_t nextRandom(uint32_t& state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

} // namespace

double midiHz(double note)
{
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

Buffer::Buffer(int sampleRate, double seconds)
    : m_rate(sampleRate)
    , m_samples(size_t(std::max(0.0, seconds) * sampleRate) + 1, 0.0f)
{
}

void Buffer::add(const Tone& tone)
{
    const size_t first = size_t(tone.start * m_rate);
    const size_t count = size_t(tone.duration * m_rate);
    double phase = 0.0;
    const double glide = tone.to > 0 ? std::log(tone.to / tone.from) : 0.0;
    for (size_t i = 0; i < count && first + i < m_samples.size(); ++i) {
        const double t = double(i) / m_rate;
        double freq = tone.from * std::exp(glide * t / tone.duration);
        if (tone.vibratoHz > 0)
            freq *= std::pow(2.0, tone.vibratoCents / 1200.0 * std::sin(kTwoPi * tone.vibratoHz * t));
        const double dt = freq / m_rate;
        const double value = oscillator(tone.wave, phase, dt, tone.pulseWidth);
        phase = std::fmod(phase + dt, 1.0);
        m_samples[first + i] += float(
            tone.amplitude * value * envelope(t, tone.duration, tone.attack, tone.decay, tone.release));
    }
}

void Buffer::add(const Noise& noise)
{
    const size_t first = size_t(noise.start * m_rate);
    const size_t count = size_t(noise.duration * m_rate);
    uint32_t state = noise.seed * 2654435761u + 12345u;
    double low = 0.0, prevIn = 0.0, high = 0.0;
    const double sweep = std::log(noise.lowpassTo / noise.lowpassFrom);
    const double hpAlpha = noise.highpass > 0 ? 1.0 / (1.0 + kTwoPi * noise.highpass / m_rate) : 0.0;
    for (size_t i = 0; i < count && first + i < m_samples.size(); ++i) {
        const double t = double(i) / m_rate;
        const double white = (nextRandom(state) & 0xFFFF) / 32767.5 - 1.0;
        const double cutoff = noise.lowpassFrom * std::exp(sweep * t / noise.duration);
        const double a = 1.0 - std::exp(-kTwoPi * cutoff / m_rate);
        low += a * (white - low);
        double value = low;
        if (hpAlpha > 0) {
            high = hpAlpha * (high + value - prevIn);
            prevIn = value;
            value = high;
        }
        m_samples[first + i]
            += float(noise.amplitude * value * envelope(t, noise.duration, noise.attack, noise.decay, 0.01));
    }
}

void Buffer::mix(const Buffer& other, double gain, double start)
{
    const size_t first = size_t(start * m_rate);
    for (size_t i = 0; i < other.m_samples.size() && first + i < m_samples.size(); ++i)
        m_samples[first + i] += float(gain * other.m_samples[i]);
}

void Buffer::lowpass(double cutoffHz)
{
    const double a = 1.0 - std::exp(-kTwoPi * cutoffHz / m_rate);
    double y = 0.0;
    for (float& s : m_samples) {
        y += a * (s - y);
        s = float(y);
    }
}

void Buffer::echo(double delay, double feedback, double wet)
{
    const size_t lag = size_t(delay * m_rate);
    if (lag == 0)
        return;
    std::vector<float> line(m_samples.size(), 0.0f);
    for (size_t i = lag; i < m_samples.size(); ++i)
        line[i] = float(m_samples[i - lag] + feedback * line[i - lag]);
    for (size_t i = 0; i < m_samples.size(); ++i)
        m_samples[i] += float(wet * line[i]);
}

void Buffer::normalize(double peak)
{
    float loudest = 0.0f;
    for (float& s : m_samples) {
        s = float(std::tanh(1.2 * s) / std::tanh(1.2));
        loudest = std::max(loudest, std::abs(s));
    }
    if (loudest <= 0.0f)
        return;
    const float scale = float(peak / loudest);
    for (float& s : m_samples)
        s *= scale;
}

void Buffer::fadeOut(double seconds)
{
    const size_t n = std::min(m_samples.size(), size_t(seconds * m_rate));
    for (size_t i = 0; i < n; ++i)
        m_samples[m_samples.size() - 1 - i] *= float(double(i) / n);
}

} // namespace kalvon::themegen::synth

#pragma once
// Small music files of our own, made in code for the music tests: a PCM wave of given samples,
// a four-channel MOD tracker module and a MIDI file of a few piano notes.

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace kalvon::testing {

namespace musicfiles {

inline void littleEndian(std::string& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += char((value >> (8 * i)) & 0xFF);
}

inline void bigEndian(std::string& out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out += char((value >> (8 * i)) & 0xFF);
}

} // namespace musicfiles

// A 16-bit PCM WAV file; `samples` are interleaved when `channels` is 2.
inline std::string waveFile(const std::vector<int16_t>& samples, int rate = 44100, int channels = 1)
{
    using musicfiles::littleEndian;
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::string out = "RIFF";
    littleEndian(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    littleEndian(out, 16, 4);
    littleEndian(out, 1, 2); // PCM
    littleEndian(out, uint32_t(channels), 2);
    littleEndian(out, uint32_t(rate), 4);
    littleEndian(out, uint32_t(rate * channels * 2), 4);
    littleEndian(out, uint32_t(channels * 2), 2);
    littleEndian(out, 16, 2);
    out += "data";
    littleEndian(out, dataBytes, 4);
    for (int16_t sample : samples)
        littleEndian(out, uint16_t(sample), 2);
    return out;
}

// A square wave of `frames` samples between +amplitude and -amplitude, `period` samples long.
inline std::vector<int16_t> squareWave(int frames, int period, int16_t amplitude)
{
    std::vector<int16_t> samples(size_t(frames), 0);
    for (int i = 0; i < frames; ++i)
        samples[size_t(i)] = (i % period) < period / 2 ? amplitude : int16_t(-amplitude);
    return samples;
}

// A MOD module (ProTracker "M.K.", four channels): one looped square-wave instrument struck on
// every fourth row of its one pattern.
inline std::string modFile()
{
    using musicfiles::bigEndian;
    constexpr int kSampleBytes = 64;
    std::string out = "kalvon test";
    out.resize(20, '\0');
    for (int instrument = 0; instrument < 31; ++instrument) {
        std::string header(22, '\0');
        const bool used = instrument == 0;
        bigEndian(header, used ? kSampleBytes / 2 : 0, 2); // length in words
        header += char(0); // finetune
        header += char(used ? 64 : 0); // volume
        bigEndian(header, 0, 2); // loop start
        bigEndian(header, used ? kSampleBytes / 2 : 1, 2); // loop length
        out += header;
    }
    out += char(1); // song length
    out += char(127);
    out += std::string(128, '\0'); // order table: pattern 0
    out += "M.K.";
    std::string pattern(64 * 4 * 4, '\0');
    constexpr int kPeriod = 428; // C-2
    for (int row = 0; row < 64; row += 4) {
        const size_t cell = size_t(row) * 16;
        pattern[cell] = char(kPeriod >> 8);
        pattern[cell + 1] = char(kPeriod & 0xFF);
        pattern[cell + 2] = char(1 << 4); // instrument 1
    }
    out += pattern;
    for (int i = 0; i < kSampleBytes; ++i)
        out += char(i < kSampleBytes / 2 ? 100 : -100);
    return out;
}

// A standard MIDI file (format 0): a piano playing C, E and G, a quarter note each.
inline std::string midiFile()
{
    using musicfiles::bigEndian;
    std::string track;
    const auto event = [&track](std::initializer_list<int> bytes) {
        for (int b : bytes)
            track += char(b);
    };
    event({ 0x00, 0xC0, 0x00 }); // program: acoustic grand piano
    for (int note : { 60, 64, 67 }) {
        event({ 0x00, 0x90, note, 100 });
        event({ 0x60, 0x80, note, 64 });
    }
    event({ 0x00, 0xFF, 0x2F, 0x00 }); // end of track
    std::string out = "MThd";
    bigEndian(out, 6, 4);
    bigEndian(out, 0, 2); // format 0
    bigEndian(out, 1, 2); // one track
    bigEndian(out, 96, 2); // ticks per quarter note
    out += "MTrk";
    bigEndian(out, uint32_t(track.size()), 4);
    return out + track;
}

} // namespace kalvon::testing

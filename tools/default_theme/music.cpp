// The theme's music: an original 24-bar piece in A minor at 120 beats per minute, arranged
// for bass, arpeggio, lead and drums, and encoded as Ogg Vorbis. It ends on the dominant so
// that the game's restart at the end of the stream returns to the tonic.

#include "audio.h"
#include "synth.h"

#include <array>
#include <cmath>
#include <cstring>
#include <vorbis/vorbisenc.h>

namespace kalvon::themegen {

namespace {

using namespace synth;

constexpr int kRate = 44100;
constexpr double kStep = 0.125; // a sixteenth note at 120 beats per minute
constexpr int kStepsPerBar = 16;
constexpr int kBars = 24;
constexpr double kLength = kBars * kStepsPerBar * kStep;

// Chords per bar as MIDI notes of root, third and fifth.
struct Chord {
    int root, third, fifth;
};
constexpr Chord kAm{ 57, 60, 64 }, kF{ 53, 57, 60 }, kC{ 48, 52, 55 }, kG{ 55, 59, 62 }, kE{ 52, 56, 59 },
    kDm{ 50, 53, 57 };
const std::array<Chord, kBars> kChords = { kAm, kF, kC, kG, kAm, kF, kG, kE, // A
    kDm, kAm, kF, kC, kDm, kE, kAm, kE, // B
    kAm, kF, kC, kG, kAm, kF, kG, kE }; // A again

struct Note {
    int step; // sixteenth within the bar
    int pitch;
    int length; // in sixteenths
};

using Phrase = std::vector<Note>;

// The melody, bar by bar.
const std::array<Phrase, 16> kMelody = { {
    { { 0, 76, 4 }, { 4, 81, 2 }, { 6, 83, 2 }, { 8, 84, 4 }, { 12, 83, 2 }, { 14, 81, 2 } },
    { { 0, 84, 6 }, { 6, 81, 2 }, { 8, 77, 4 }, { 12, 81, 4 } },
    { { 0, 79, 4 }, { 4, 76, 2 }, { 6, 79, 2 }, { 8, 84, 4 }, { 12, 86, 2 }, { 14, 88, 2 } },
    { { 0, 86, 6 }, { 6, 83, 2 }, { 8, 79, 8 } },
    { { 0, 76, 2 }, { 2, 76, 2 }, { 4, 81, 4 }, { 8, 84, 2 }, { 10, 83, 2 }, { 12, 81, 4 } },
    { { 0, 77, 2 }, { 2, 81, 2 }, { 4, 84, 4 }, { 8, 89, 4 }, { 12, 88, 4 } },
    { { 0, 86, 4 }, { 4, 83, 4 }, { 8, 79, 4 }, { 12, 83, 4 } },
    { { 0, 80, 6 }, { 6, 83, 2 }, { 8, 88, 8 } },
    { { 0, 81, 4 }, { 4, 77, 4 }, { 8, 74, 4 }, { 12, 77, 4 } },
    { { 0, 76, 4 }, { 4, 81, 4 }, { 8, 84, 8 } },
    { { 0, 81, 4 }, { 4, 84, 4 }, { 8, 89, 4 }, { 12, 88, 4 } },
    { { 0, 86, 4 }, { 4, 84, 4 }, { 8, 79, 8 } },
    { { 0, 77, 2 }, { 2, 81, 2 }, { 4, 86, 4 }, { 8, 84, 2 }, { 10, 81, 2 }, { 12, 77, 4 } },
    { { 0, 80, 4 }, { 4, 83, 4 }, { 8, 88, 4 }, { 12, 86, 4 } },
    { { 0, 84, 4 }, { 4, 83, 2 }, { 6, 81, 2 }, { 8, 76, 4 }, { 12, 81, 4 } },
    { { 0, 83, 8 }, { 8, 80, 8 } },
} };

double at(int bar, int step)
{
    return (bar * kStepsPerBar + step) * kStep;
}

void bass(Buffer& b)
{
    // Eighth notes on the root with an octave leap and a walk to the fifth.
    const int pattern[8] = { 0, 0, 12, 0, 7, 0, 12, 7 };
    for (int bar = 0; bar < kBars; ++bar) {
        const int root = kChords[size_t(bar)].root - 12;
        for (int i = 0; i < 8; ++i) {
            const int note = pattern[i] == 7 ? kChords[size_t(bar)].fifth - 12 : root + pattern[i];
            b.add(Tone{ at(bar, 2 * i), kStep * 2 * 0.95, midiHz(note), 0, Wave::Saw, 0.32, 0.004, 0.35, 0.03,
                0, 0, 0.5 });
            b.add(Tone{ at(bar, 2 * i), kStep * 2 * 0.95, midiHz(note - 12), 0, Wave::Sine, 0.3, 0.004, 0.4,
                0.03, 0, 0, 0.5 });
        }
    }
    b.lowpass(900);
}

void arpeggio(Buffer& left, Buffer& right)
{
    for (int bar = 0; bar < kBars; ++bar) {
        const Chord c = kChords[size_t(bar)];
        const int tones[4] = { c.root + 12, c.third + 12, c.fifth + 12, c.third + 12 };
        for (int i = 0; i < kStepsPerBar; ++i) {
            const int note = tones[i % 4] + (i >= 8 && i % 4 == 2 ? 12 : 0);
            const Tone t{ at(bar, i), kStep * 0.9, midiHz(note), 0, Wave::Triangle, 0.12, 0.003, 0.09, 0.02,
                0, 0, 0.5 };
            // Alternate sides for a little width.
            (i % 2 == 0 ? left : right).add(t);
            Tone soft = t;
            soft.amplitude *= 0.45;
            (i % 2 == 0 ? right : left).add(soft);
        }
    }
}

void pad(Buffer& b)
{
    for (int bar = 0; bar < kBars; ++bar) {
        const Chord c = kChords[size_t(bar)];
        for (int note : { c.root, c.third, c.fifth })
            b.add(Tone{ at(bar, 0), kStep * kStepsPerBar, midiHz(note), 0, Wave::Saw, 0.035, 0.25, 0, 0.3,
                4.5, 8, 0.5 });
    }
    b.lowpass(1400);
}

void lead(Buffer& b)
{
    for (int bar = 0; bar < kBars; ++bar) {
        // The A part returns in bars 16-23 with the melody an octave lower in its first half.
        const int phrase = bar < 16 ? bar : bar - 16;
        const int shift = bar >= 16 && bar < 20 ? -12 : 0;
        for (const Note& n : kMelody[size_t(phrase)]) {
            const double length = n.length * kStep;
            b.add(Tone{ at(bar, n.step), length * 0.92, midiHz(n.pitch + shift), 0, Wave::Square, 0.13, 0.01,
                length * 1.6, 0.04, 5.5, 12, 0.3 });
            b.add(Tone{ at(bar, n.step), length * 0.92, midiHz(n.pitch + shift + 12), 0, Wave::Sine, 0.05,
                0.01, length, 0.04 });
        }
    }
    b.lowpass(5200);
    b.echo(0.375, 0.3, 0.28);
}

void drums(Buffer& b, Buffer& hats)
{
    for (int bar = 0; bar < kBars; ++bar) {
        for (int step : { 0, 6, 8, 10 }) {
            if (step == 6 && bar % 2 == 0)
                continue;
            b.add(Tone{ at(bar, step), 0.22, 130, 42, Wave::Sine, 0.85, 0.001, 0.09, 0.03 });
            b.add(
                Noise{ at(bar, step), 0.01, 0.25, 0.0005, 0.004, 3000, 3000, 0, uint32_t(bar * 31 + step) });
        }
        for (int step : { 4, 12 }) {
            b.add(Noise{ at(bar, step), 0.2, 0.5, 0.001, 0.06, 7000, 3500, 300, uint32_t(bar * 17 + step) });
            b.add(Tone{ at(bar, step), 0.12, 200, 160, Wave::Triangle, 0.35, 0.001, 0.04, 0.02 });
        }
        // A fill on the last beat of every fourth bar.
        if (bar % 4 == 3)
            for (int step : { 13, 14, 15 })
                b.add(
                    Noise{ at(bar, step), 0.1, 0.3, 0.001, 0.04, 6000, 3000, 400, uint32_t(bar * 7 + step) });
        for (int step = 0; step < kStepsPerBar; step += 2)
            hats.add(Noise{ at(bar, step), 0.05, step % 4 == 2 ? 0.22 : 0.12, 0.0005, 0.015, 12000, 12000,
                6000, uint32_t(bar * 131 + step) });
    }
}

// Saturates both channels alike and scales them so the louder one peaks at `peak`.
void master(std::vector<float>& left, std::vector<float>& right, double peak)
{
    float loudest = 0.0f;
    for (auto* channel : { &left, &right })
        for (float& s : *channel) {
            s = float(std::tanh(1.1 * s) / std::tanh(1.1));
            loudest = std::max(loudest, std::abs(s));
        }
    const float scale = loudest > 0 ? float(peak / loudest) : 1.0f;
    for (auto* channel : { &left, &right })
        for (float& s : *channel)
            s *= scale;
}

QByteArray encodeVorbis(const std::vector<float>& left, const std::vector<float>& right)
{
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 2, kRate, 0.25f) != 0) {
        vorbis_info_clear(&info);
        return {};
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "TITLE", "Kalvon Theme");
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 0x4B564E31); // a fixed serial number keeps the output identical

    QByteArray out;
    ogg_page page;
    auto writePage = [&out](const ogg_page& pg) {
        out.append(reinterpret_cast<const char*>(pg.header), int(pg.header_len));
        out.append(reinterpret_cast<const char*>(pg.body), int(pg.body_len));
    };
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    while (ogg_stream_flush(&stream, &page) != 0)
        writePage(page);

    const size_t total = left.size();
    const size_t chunk = 1024;
    size_t done = 0;
    bool finished = false;
    while (!finished) {
        const size_t n = std::min(chunk, total - done);
        if (n == 0) {
            vorbis_analysis_wrote(&dsp, 0);
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp, int(n));
            std::memcpy(buffer[0], left.data() + done, n * sizeof(float));
            std::memcpy(buffer[1], right.data() + done, n * sizeof(float));
            vorbis_analysis_wrote(&dsp, int(n));
            done += n;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    writePage(page);
                    if (ogg_page_eos(&page))
                        finished = true;
                }
            }
        }
        if (n == 0)
            finished = true;
    }
    while (ogg_stream_flush(&stream, &page) != 0)
        writePage(page);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

} // namespace

QByteArray musicOgg()
{
    Buffer bassLine(kRate, kLength), arpLeft(kRate, kLength), arpRight(kRate, kLength),
        padLayer(kRate, kLength), melody(kRate, kLength), kit(kRate, kLength), hats(kRate, kLength);
    bass(bassLine);
    arpeggio(arpLeft, arpRight);
    pad(padLayer);
    lead(melody);
    drums(kit, hats);

    Buffer left(kRate, kLength), right(kRate, kLength);
    auto place = [&](const Buffer& part, const Buffer& partRight, double gainLeft, double gainRight) {
        left.mix(part, gainLeft);
        right.mix(partRight, gainRight);
    };
    place(bassLine, bassLine, 1.0, 1.0);
    place(padLayer, padLayer, 1.0, 1.0);
    place(arpLeft, arpRight, 1.0, 1.0);
    place(melody, melody, 0.95, 0.8);
    place(kit, kit, 0.9, 0.9);
    place(hats, hats, 0.55, 0.8);
    master(left.samples(), right.samples(), 0.72); // headroom for the effects mixed over it
    return encodeVorbis(left.samples(), right.samples());
}

} // namespace kalvon::themegen

// The eleven sound effects and the WAV writer.

#include "audio.h"
#include "synth.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace kalvon::themegen {

namespace {

using namespace synth;

constexpr int kRate = 22050;

Buffer startGame()
{
    Buffer b(kRate, 0.75);
    const double notes[] = { 72, 76, 79, 84 };
    for (int i = 0; i < 4; ++i) {
        const double at = 0.07 * i;
        const double length = i == 3 ? 0.6 : 0.16;
        b.add(Tone{ at, length, midiHz(notes[i]), 0, Wave::Square, 0.18, 0.004, i == 3 ? 0.25 : 0.08, 0.05, 6,
            8, 0.3 });
        b.add(Tone{
            at, length, midiHz(notes[i] + 12), 0, Wave::Triangle, 0.12, 0.004, i == 3 ? 0.2 : 0.06, 0.05 });
    }
    b.echo(0.09, 0.3, 0.25);
    return b;
}

Buffer loseGame()
{
    Buffer b(kRate, 1.2);
    const double notes[] = { 67, 63, 60 };
    for (int i = 0; i < 3; ++i)
        b.add(Tone{ 0.16 * i, 0.22, midiHz(notes[i]), 0, Wave::Square, 0.22, 0.006, 0.15, 0.06, 5, 12, 0.4 });
    b.add(Tone{ 0.48, 0.7, midiHz(55), midiHz(43), Wave::Square, 0.25, 0.01, 0.35, 0.2, 4, 18, 0.45 });
    b.add(Tone{ 0.48, 0.7, midiHz(43), midiHz(31), Wave::Triangle, 0.3, 0.01, 0.4, 0.2 });
    b.lowpass(3200);
    return b;
}

Buffer winGame()
{
    Buffer b(kRate, 1.5);
    const double run[] = { 72, 76, 79 };
    for (int i = 0; i < 3; ++i)
        b.add(Tone{ 0.1 * i, 0.12, midiHz(run[i]), 0, Wave::Square, 0.16, 0.004, 0.08, 0.03, 0, 0, 0.25 });
    for (double n : { 72.0, 76.0, 79.0, 84.0 }) {
        b.add(Tone{ 0.32, 1.1, midiHz(n), 0, Wave::Square, 0.09, 0.01, 0.5, 0.3, 5.5, 10, 0.3 });
        b.add(Tone{ 0.32, 1.1, midiHz(n + 12), 0, Wave::Sine, 0.06, 0.01, 0.4, 0.3 });
    }
    for (int i = 0; i < 6; ++i)
        b.add(Tone{ 0.4 + 0.09 * i, 0.12, midiHz(96 - 2 * i), 0, Wave::Sine, 0.06, 0.002, 0.05, 0.03 });
    b.echo(0.11, 0.25, 0.2);
    return b;
}

Buffer lineClear()
{
    Buffer b(kRate, 0.4);
    b.add(Tone{ 0, 0.28, 520, 1900, Wave::Sine, 0.35, 0.01, 0.12, 0.06 });
    b.add(Noise{ 0, 0.25, 0.25, 0.02, 0.08, 1200, 7000, 600, 7 });
    b.add(Tone{ 0.16, 0.22, midiHz(88), 0, Wave::Sine, 0.18, 0.002, 0.07, 0.05 });
    return b;
}

Buffer quad()
{
    Buffer b(kRate, 0.95);
    for (double n : { 57.0, 61.0, 64.0, 69.0 })
        b.add(Tone{ 0, 0.5, midiHz(n), 0, Wave::Saw, 0.1, 0.004, 0.18, 0.1 });
    b.add(Noise{ 0, 0.35, 0.35, 0.002, 0.1, 5000, 600, 0, 3 });
    const double sparkle[] = { 93, 88, 85, 81, 76, 73 };
    for (int i = 0; i < 6; ++i)
        b.add(Tone{ 0.12 + 0.06 * i, 0.2, midiHz(sparkle[i]), 0, Wave::Triangle, 0.14, 0.002, 0.08, 0.05 });
    b.echo(0.08, 0.3, 0.2);
    return b;
}

Buffer dropBlock()
{
    Buffer b(kRate, 0.2);
    b.add(Tone{ 0, 0.18, 170, 42, Wave::Sine, 0.8, 0.002, 0.06, 0.03 });
    b.add(Noise{ 0, 0.03, 0.35, 0.0005, 0.008, 4000, 1500, 0, 5 });
    return b;
}

Buffer rotateBlock()
{
    Buffer b(kRate, 0.07);
    b.add(Tone{ 0, 0.06, 880, 1320, Wave::Square, 0.22, 0.002, 0.03, 0.015, 0, 0, 0.25 });
    return b;
}

Buffer explosion()
{
    Buffer b(kRate, 1.0);
    b.add(Noise{ 0, 0.95, 1.0, 0.003, 0.3, 6000, 250, 0, 11 });
    b.add(Tone{ 0, 0.8, 90, 35, Wave::Sine, 0.3, 0.004, 0.22, 0.1 });
    b.add(Noise{ 0.05, 0.5, 0.25, 0.01, 0.12, 2500, 400, 0, 13 });
    return b;
}

Buffer chatMessage()
{
    Buffer b(kRate, 0.55);
    b.add(Tone{ 0, 0.3, midiHz(88), 0, Wave::Sine, 0.35, 0.002, 0.12, 0.05 });
    b.add(Tone{ 0, 0.3, midiHz(100), 0, Wave::Sine, 0.08, 0.002, 0.05, 0.05 });
    b.add(Tone{ 0.14, 0.4, midiHz(83), 0, Wave::Sine, 0.35, 0.002, 0.15, 0.08 });
    b.add(Tone{ 0.14, 0.4, midiHz(95), 0, Wave::Sine, 0.07, 0.002, 0.06, 0.08 });
    return b;
}

Buffer guiClick()
{
    Buffer b(kRate, 0.04);
    b.add(Noise{ 0, 0.012, 0.3, 0.0003, 0.003, 9000, 9000, 1500, 17 });
    b.add(Tone{ 0, 0.03, 2100, 1700, Wave::Sine, 0.25, 0.0005, 0.008, 0.01 });
    return b;
}

Buffer holyShield()
{
    Buffer b(kRate, 1.2);
    for (double n : { 72.0, 79.0, 88.0 }) {
        b.add(Tone{ 0, 1.15, midiHz(n), 0, Wave::Sine, 0.16, 0.2, 0.6, 0.4, 6, 14 });
        b.add(Tone{ 0, 1.15, midiHz(n) * 1.003, 0, Wave::Sine, 0.12, 0.25, 0.6, 0.4, 5, 10 });
    }
    for (int i = 0; i < 8; ++i)
        b.add(Tone{ 0.08 + 0.09 * i, 0.15, midiHz(84 + 2 * i), 0, Wave::Triangle, 0.07, 0.003, 0.06, 0.04 });
    b.echo(0.13, 0.35, 0.25);
    return b;
}

QByteArray finish(Buffer buffer)
{
    buffer.normalize(0.85);
    buffer.fadeOut(0.01);
    return wavBytes(buffer.samples(), buffer.sampleRate());
}

} // namespace

QByteArray wavBytes(const std::vector<float>& samples, int sampleRate)
{
    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray out;
    out.reserve(int(44 + dataBytes));
    auto u32 = [&out](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        out.append(b, 4);
    };
    auto u16 = [&out](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        out.append(b, 2);
    };
    out.append("RIFF", 4);
    u32(36 + dataBytes);
    out.append("WAVE", 4);
    out.append("fmt ", 4);
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(quint32(sampleRate));
    u32(quint32(sampleRate * 2));
    u16(2);
    u16(16);
    out.append("data", 4);
    u32(dataBytes);
    for (float s : samples)
        u16(quint16(qint16(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f))));
    return out;
}

std::vector<SoundFile> effectSounds()
{
    return {
        { QStringLiteral("startgame"), QStringLiteral("startgame.wav"), finish(startGame()) },
        { QStringLiteral("rotate"), QStringLiteral("rotate.wav"), finish(rotateBlock()) },
        { QStringLiteral("drop"), QStringLiteral("drop.wav"), finish(dropBlock()) },
        { QStringLiteral("lineclear"), QStringLiteral("lineclear.wav"), finish(lineClear()) },
        { QStringLiteral("quad"), QStringLiteral("quad.wav"), finish(quad()) },
        { QStringLiteral("explode"), QStringLiteral("explode.wav"), finish(explosion()) },
        { QStringLiteral("win"), QStringLiteral("win.wav"), finish(winGame()) },
        { QStringLiteral("lose"), QStringLiteral("lose.wav"), finish(loseGame()) },
        { QStringLiteral("chat"), QStringLiteral("chat.wav"), finish(chatMessage()) },
        { QStringLiteral("click"), QStringLiteral("click.wav"), finish(guiClick()) },
        { QStringLiteral("holyshield"), QStringLiteral("holyshield.wav"), finish(holyShield()) },
    };
}

} // namespace kalvon::themegen

#pragma once
// The theme's sounds, synthesised here: eleven short effects as 16-bit PCM WAV files and one
// looping music piece encoded as Ogg Vorbis.

#include <QByteArray>
#include <QString>
#include <vector>

namespace kalvon::themegen {

struct SoundFile {
    QString key; // the theme key that names it ("startgame", "rotate", ...)
    QString file; // its file name in the resource archive
    QByteArray bytes;
};

// The eleven effects, in the order the theme file lists their keys.
std::vector<SoundFile> effectSounds();

// The music: a 48-second loop in A minor, stereo, 44.1 kHz. Empty when encoding fails.
QByteArray musicOgg();

// A mono 16-bit PCM WAV file of samples in [-1, 1].
QByteArray wavBytes(const std::vector<float>& samples, int sampleRate);

} // namespace kalvon::themegen

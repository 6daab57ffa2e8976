#pragma once
// The sound library the music module plays through. It knows two kinds of music: streams (any
// audio file, played on a channel) and songs (tracker modules and MIDI). Handles and channels
// are never 0; 0 means the call failed, and GetError then tells why with one of the codes
// below. The game's library is SDL2_mixer (SdlSoundLibrary); tests plug in a recording fake.

#include "common/bytes.h"

#include <cstdint>

namespace kalvon {

// The error codes the library reports (each has its text, GetSoundErrorText).
enum class SoundError : int32_t {
    None = 0,
    Uninitialized = 2,
    InitFailed = 3,
    PlayFailed = 5,
    FileNotFound = 9,
    UnknownFormat = 10,
    LoadFailed = 11,
    MediaPlayerCodec = 18,
};

// The text of an error code; "Unknown error" for a code without one.
Bytes GetSoundErrorText(int32_t code);

class SoundLibrary {
public:
    virtual ~SoundLibrary() = default;

    // The library was started (its output device is open). While it is not, nothing loads.
    virtual bool Started() const = 0;
    // The code of the last failure.
    virtual int32_t GetError() const = 0;

    virtual int32_t StreamOpen(BytesView file) = 0;
    // The channel the stream plays on, 0 when it did not start.
    virtual int32_t StreamPlay(int32_t stream) = 0;
    virtual void StreamStop(int32_t stream) = 0;
    virtual void StreamClose(int32_t stream) = 0;
    // True while the channel plays, paused or not.
    virtual bool IsPlaying(int32_t channel) = 0;
    virtual void SetPaused(int32_t channel, bool paused) = 0;

    virtual int32_t SongLoad(BytesView file) = 0;
    // True when the song started; a song plays until it is stopped, looping by itself.
    virtual bool SongPlay(int32_t song) = 0;
    virtual void SongStop(int32_t song) = 0;
    virtual void SongSetPaused(int32_t song, bool paused) = 0;
    virtual void SongFree(int32_t song) = 0;
};

} // namespace kalvon

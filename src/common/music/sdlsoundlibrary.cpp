#include "common/music/sdlsoundlibrary.h"

#include "common/music/audiodevice.h"
#include "common/music/sdlaudio.h"
#include "common/paths.h"

#include <fstream>

namespace kalvon {

namespace {

// The loop count SDL2_mixer takes for "play forever".
constexpr int kLoopForever = -1;

// Windows Media audio, which no decoder of this system reads.
bool isWindowsMedia(const std::filesystem::path& file)
{
    const Bytes extension = toLower(file.extension().string());
    return extension == ".wma" || extension == ".asf";
}

} // namespace

SdlSoundLibrary::SdlSoundLibrary(const AudioDevice& device, std::filesystem::path baseFolder)
    : m_device(device)
    , m_baseFolder(std::move(baseFolder))
{
}

SdlSoundLibrary::~SdlSoundLibrary()
{
    while (!m_loaded.empty())
        release(m_loaded.begin()->first);
}

bool SdlSoundLibrary::Started() const
{
    return m_device.isOpen();
}

void SdlSoundLibrary::fail(SoundError error)
{
    m_error = static_cast<int32_t>(error);
}

int32_t SdlSoundLibrary::open(BytesView file)
{
    if (!Started()) {
        fail(SoundError::Uninitialized);
        return 0;
    }
    const std::optional<std::filesystem::path> stored = paths::resolve(file, m_baseFolder);
    const std::filesystem::path found
        = stored ? paths::findCaseInsensitive(*stored) : std::filesystem::path();
    std::error_code error;
    if (found.empty() || !std::filesystem::is_regular_file(found, error)) {
        fail(SoundError::FileNotFound);
        return 0;
    }
    _Mix_Music* music = m_device.sdl()->LoadMUS(found.c_str());
    if (!music) {
        if (isWindowsMedia(found))
            fail(SoundError::MediaPlayerCodec);
        else if (!std::ifstream(found, std::ios::binary))
            fail(SoundError::LoadFailed);
        else
            fail(SoundError::UnknownFormat);
        return 0;
    }
    const int32_t handle = m_nextHandle++;
    m_loaded.emplace(handle, music);
    return handle;
}

bool SdlSoundLibrary::play(int32_t handle)
{
    const auto loaded = m_loaded.find(handle);
    if (loaded == m_loaded.end() || !Started()
        || m_device.sdl()->PlayMusic(loaded->second, kLoopForever) != 0) {
        fail(SoundError::PlayFailed);
        return false;
    }
    m_playing = handle;
    return true;
}

int32_t SdlSoundLibrary::StreamPlay(int32_t stream)
{
    if (!play(stream))
        return 0;
    m_channel = m_nextChannel++;
    return m_channel;
}

bool SdlSoundLibrary::SongPlay(int32_t song)
{
    m_channel = 0;
    return play(song);
}

bool SdlSoundLibrary::IsPlaying(int32_t channel)
{
    return channel != 0 && channel == m_channel && Started() && m_device.sdl()->PlayingMusic();
}

void SdlSoundLibrary::SetPaused(int32_t channel, bool paused)
{
    if (channel != 0 && channel == m_channel)
        SongSetPaused(m_playing, paused);
}

void SdlSoundLibrary::SongSetPaused(int32_t song, bool paused)
{
    if (song == 0 || song != m_playing || !Started())
        return;
    if (paused)
        m_device.sdl()->PauseMusic();
    else
        m_device.sdl()->ResumeMusic();
}

void SdlSoundLibrary::halt(int32_t handle)
{
    if (handle == 0 || handle != m_playing)
        return;
    if (Started())
        m_device.sdl()->HaltMusic();
    m_playing = 0;
    m_channel = 0;
}

void SdlSoundLibrary::release(int32_t handle)
{
    const auto loaded = m_loaded.find(handle);
    if (loaded == m_loaded.end())
        return;
    halt(handle);
    // Music was loaded, so the libraries were.
    m_device.sdl()->FreeMusic(loaded->second);
    m_loaded.erase(loaded);
}

} // namespace kalvon

#include "common/music/sdlmusic.h"

#include "common/dialogs.h"
#include "common/music/audiodevice.h"
#include "common/paths.h"

#include <SDL_mixer.h>

namespace kalvon {

namespace {

// The loop count SDL2_mixer takes for "play forever".
constexpr int kLoopForever = -1;

} // namespace

SdlMusic::SdlMusic(const AudioDevice& device, Dialogs& dialogs, std::filesystem::path baseFolder)
    : m_device(device)
    , m_dialogs(dialogs)
    , m_baseFolder(std::move(baseFolder))
{
}

SdlMusic::~SdlMusic()
{
    freeMusic();
}

void SdlMusic::LoadMusic(BytesView path)
{
    if (toLower(path) == "[none]")
        return;
    freeMusic();
    if (!m_device.isOpen())
        return;
    std::error_code error;
    const auto file = paths::resolve(path, m_baseFolder);
    const auto found = file ? paths::findCaseInsensitive(*file) : std::filesystem::path();
    const bool exists = file && std::filesystem::is_regular_file(found, error);
    if (exists)
        m_music = Mix_LoadMUS(found.c_str());
    if (!m_music) {
        const Bytes reason = exists ? "Unknown file format" : "File not found";
        m_dialogs.messageBox(
            "Error while opening music file! \r\nFilename: " + Bytes(path) + "\r\nError: " + reason, "Error",
            MessageIcon::Critical);
    }
}

void SdlMusic::PlayMusic()
{
    if (m_music)
        Mix_PlayMusic(m_music, kLoopForever);
}

void SdlMusic::StopMusic()
{
    if (m_device.isOpen() && Mix_PlayingMusic())
        Mix_HaltMusic();
}

void SdlMusic::PauseMusic()
{
    if (m_device.isOpen())
        Mix_PauseMusic();
}

void SdlMusic::ResumeMusic()
{
    if (m_device.isOpen())
        Mix_ResumeMusic();
}

void SdlMusic::freeMusic()
{
    if (!m_music)
        return;
    if (m_device.isOpen())
        Mix_HaltMusic();
    Mix_FreeMusic(m_music);
    m_music = nullptr;
}

} // namespace kalvon

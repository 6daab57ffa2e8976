#include "editor/sdleditorsound.h"

#include "common/dialogs.h"
#include "common/music/sdlaudio.h"
#include "editor/model/editorpaths.h"

#include <system_error>

namespace kalvon::editor {

namespace {

// A path text as a file of this system, relative ones from the working folder, found without
// regard to case; nothing when it names no file here.
std::optional<std::filesystem::path> existingFile(BytesView text)
{
    const std::optional<std::filesystem::path> found = findLocalFile(text);
    std::error_code error;
    if (!found || !std::filesystem::is_regular_file(*found, error))
        return std::nullopt;
    return found;
}

} // namespace

SdlEditorSound::SdlEditorSound(Dialogs& dialogs)
    : m_dialogs(dialogs)
{
}

SdlEditorSound::~SdlEditorSound()
{
    CloseSound();
}

void SdlEditorSound::InitSound(const SoundMixer& mixer)
{
    if (!m_device.open(AudioFormat{ mixer.frequency, mixer.numchannels })) {
        m_dialogs.messageBox("Could not initialize sound/music subsystem!", "ERROR", MessageIcon::Critical);
        return;
    }
    m_musicStarted = mixer.output != 0;
}

void SdlEditorSound::CloseSound()
{
    if (m_musicStarted) {
        StopMusic();
        FreeMusic();
    }
    m_musicStarted = false;
    m_effects.flush();
    m_device.close();
}

void SdlEditorSound::LoadMusic(BytesView file)
{
    if (!m_musicStarted)
        return;
    StopMusic();
    FreeMusic();
    const std::optional<std::filesystem::path> found = existingFile(file);
    if (found)
        m_music = m_device.sdl()->LoadMUS(found->c_str());
    if (!m_music) {
        const Bytes reason = found ? "Unknown file format" : "File not found";
        m_dialogs.messageBox("Error while opening sound\r\n" + reason, "Error", MessageIcon::Critical);
    }
}

void SdlEditorSound::PlayMusic()
{
    if (m_music)
        m_device.sdl()->PlayMusic(m_music, 1);
}

void SdlEditorSound::StopMusic()
{
    if (m_musicStarted && m_device.sdl()->PlayingMusic())
        m_device.sdl()->HaltMusic();
}

void SdlEditorSound::FreeMusic()
{
    if (!m_music)
        return;
    // Music was loaded, so the libraries were.
    m_device.sdl()->HaltMusic();
    m_device.sdl()->FreeMusic(m_music);
    m_music = nullptr;
}

void SdlEditorSound::PlayWave(BytesView file)
{
    const std::optional<std::filesystem::path> found = existingFile(file);
    if (!found)
        return;
    // A file replaced on disk since the last play is read again.
    m_effects.flush();
    m_effects.play(*found);
}

} // namespace kalvon::editor

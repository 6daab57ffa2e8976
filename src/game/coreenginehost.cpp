#include "game/coreenginehost.h"

#include "common/music/gamemusic.h"
#include "game/botbridge.h"
#include "game/gamesession.h"
#include "game/gamewindow.h"
#include "game/internetplay.h"
#include "game/soundplayer.h"
#include "platform/eventpump.h"

namespace kalvon {

WindowEngineHost::WindowEngineHost(const WindowEngineHostParts& parts)
    : m(parts)
{
}

EngineDrawing& WindowEngineHost::drawing()
{
    return *m_drawing;
}

void WindowEngineHost::playSound(SoundSlot slot)
{
    m.sounds.play(slot);
}
void WindowEngineHost::setLabel(LabelId label, int p, BytesView text)
{
    m.window.setLabel(label, p, text);
}
void WindowEngineHost::BotPieceUpdate(int p)
{
    m.bot.BotPieceUpdate(p);
}

void WindowEngineHost::SendToServer(BytesView line)
{
    m.internet.SendToServer(line);
}

void WindowEngineHost::ClientDispatchMessage(BytesView code, BytesView payload)
{
    m.internet.ClientDispatchMessage(code, payload);
}

void WindowEngineHost::SendFieldUpdate()
{
    m.internet.SendFieldUpdate();
}
void WindowEngineHost::ResetSentField()
{
    m.internet.ResetSentField();
}
void WindowEngineHost::CheckLevelUp()
{
    m.internet.CheckLevelUp();
}
int WindowEngineHost::MyIndex() const
{
    return m.internet.MyIndex();
}

void WindowEngineHost::Yield()
{
    m.pump.Yield();
}
void WindowEngineHost::Wait(int64_t ms)
{
    m.pump.Wait(ms);
}

void WindowEngineHost::SetGameTimer(bool enabled)
{
    m.session.setGameTimer(enabled);
}
void WindowEngineHost::PauseMusic()
{
    m.music.PauseMusic();
}
void WindowEngineHost::ResumeMusic()
{
    m.music.ResumeMusic();
}
void WindowEngineHost::StopGameMusic()
{
    kalvon::StopGameMusic(m.music);
}
void WindowEngineHost::SetPauseCaption(BytesView caption)
{
    m.window.setPauseButtonCaption(caption);
}
void WindowEngineHost::FocusField()
{
    m.window.FocusField();
}
void WindowEngineHost::LocalGameEnded()
{
    m.session.LocalGameEnded();
}
bool WindowEngineHost::IsHostingServer() const
{
    return m.internet.IsHostingServer();
}
void WindowEngineHost::ServerMsgPause(int sender)
{
    m.internet.ServerMsgPause(sender);
}
void WindowEngineHost::ServerMsgResume(int sender)
{
    m.internet.ServerMsgResume(sender);
}
void WindowEngineHost::MarkMyPlayerDead()
{
    m.internet.MarkMyPlayerDead();
}

} // namespace kalvon

#include "game/coreenginehost.h"

#include "common/music/gamemusic.h"
#include "game/botbridge.h"
#include "game/gamesession.h"
#include "game/gamewindow.h"
#include "game/internetplay.h"
#include "game/soundplayer.h"
#include "platform/eventpump.h"

namespace kalvon {

CoreEngineHost::CoreEngineHost(const CoreEngineHostParts& parts)
    : m(parts)
{
}

EngineDrawing& CoreEngineHost::drawing()
{
    return *m_drawing;
}

void CoreEngineHost::playSound(SoundSlot slot)
{
    m.sounds.play(slot);
}
void CoreEngineHost::setLabel(LabelId label, int p, BytesView text)
{
    m.window.setLabel(label, p, text);
}
void CoreEngineHost::BotPieceUpdate(int p)
{
    m.bot.BotPieceUpdate(p);
}

void CoreEngineHost::sendPauseGame()
{
    m.internet.sendPauseGame();
}
void CoreEngineHost::sendResumeGame()
{
    m.internet.sendResumeGame();
}
void CoreEngineHost::sendPlayerLost()
{
    m.internet.sendPlayerLost();
}
void CoreEngineHost::addLinesToAll(int lines)
{
    m.internet.addLinesToAll(lines);
}
void CoreEngineHost::SendFieldUpdate()
{
    m.internet.SendFieldUpdate();
}
void CoreEngineHost::ResetSentField()
{
    m.internet.ResetSentField();
}
void CoreEngineHost::CheckLevelUp()
{
    m.internet.CheckLevelUp();
}

void CoreEngineHost::Yield()
{
    m.pump.Yield();
}
void CoreEngineHost::Wait(int64_t ms)
{
    m.pump.Wait(ms);
}

void CoreEngineHost::SetGameTimer(bool enabled)
{
    m.session.setGameTimer(enabled);
}
void CoreEngineHost::PauseMusic()
{
    m.music.PauseMusic();
}
void CoreEngineHost::ResumeMusic()
{
    m.music.ResumeMusic();
}
void CoreEngineHost::StopGameMusic()
{
    kalvon::StopGameMusic(m.music);
}
void CoreEngineHost::SetPauseCaption(BytesView caption)
{
    m.window.setPauseButtonCaption(caption);
}
void CoreEngineHost::FocusField()
{
    m.window.FocusField();
}
void CoreEngineHost::LocalGameEnded()
{
    m.session.localGameEnded();
}
bool CoreEngineHost::IsHostingServer() const
{
    return m.internet.IsHostingServer();
}
void CoreEngineHost::ServerMsgPause(int sender)
{
    m.internet.ServerMsgPause(sender);
}
void CoreEngineHost::ServerMsgResume(int sender)
{
    m.internet.ServerMsgResume(sender);
}
void CoreEngineHost::MarkMyPlayerDead()
{
    m.internet.MarkMyPlayerDead();
}

} // namespace kalvon

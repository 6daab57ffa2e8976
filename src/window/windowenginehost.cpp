#include "window/windowenginehost.h"

#include "common/music/gamemusic.h"
#include "platform/eventpump.h"
#include "window/botbridge.h"
#include "window/gamedrawing.h"
#include "window/gamesession.h"
#include "window/gamewindow.h"
#include "window/internetplay.h"
#include "window/soundplayer.h"

namespace kalvon {

WindowEngineHost::WindowEngineHost(const WindowEngineHostParts& parts)
    : m(parts)
{
}

void WindowEngineHost::DrawField(int p)
{
    m.drawing.DrawField(p);
}
void WindowEngineHost::PaintFieldBackground(int p)
{
    m.drawing.PaintFieldBackground(p);
}
void WindowEngineHost::UpdateFieldBlocks(int p)
{
    m.drawing.UpdateFieldBlocks(p);
}
void WindowEngineHost::ResetTrailLastDrawTime(int p)
{
    m.drawing.ResetTrailLastDrawTime(p);
}

void WindowEngineHost::DrawShadow(int p, int column, int landingRow)
{
    m.drawing.DrawShadow(p, column, landingRow);
}

void WindowEngineHost::UpdateTrail(int p, int column, int startRow, int type, int orientation, int endRow)
{
    m.drawing.UpdateTrail(p, column, startRow, type, orientation, endRow);
}

void WindowEngineHost::AnimateLineExplosion(int p, const ClearedRows& rows)
{
    m.drawing.AnimateLineExplosion(p, rows);
}

void WindowEngineHost::UpdateSpecialsWindow(int p)
{
    m.drawing.UpdateSpecialsWindow(p);
}
void WindowEngineHost::DrawSpecialWindow(int p)
{
    m.drawing.DrawSpecialWindow(p);
}
void WindowEngineHost::DrawNextPiece(int p)
{
    m.drawing.DrawNextPiece(p);
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

void WindowEngineHost::ResetFieldPicture(int p)
{
    m.drawing.ResetFieldPicture(p);
}

void WindowEngineHost::BombCreate(int p, int column, int row, int slot)
{
    m.drawing.BombCreate(p, column, row, slot);
}

void WindowEngineHost::ClearFieldPicture(int p)
{
    m.drawing.ClearFieldPicture(p);
}
void WindowEngineHost::RefreshField(int p)
{
    m.drawing.RefreshField(p);
}
void WindowEngineHost::DrawDoorFrame(int p, int width)
{
    m.drawing.DrawDoorFrame(p, width);
}
void WindowEngineHost::DrawHeightLed(int p)
{
    m.drawing.DrawHeightLed(p);
}
void WindowEngineHost::ClearTrails()
{
    m.drawing.ClearTrails();
}
void WindowEngineHost::ResetBlockFrame()
{
    m.drawing.ResetBlockFrame();
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

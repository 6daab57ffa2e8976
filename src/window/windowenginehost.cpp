#include "window/windowenginehost.h"

#include "platform/eventpump.h"
#include "window/botbridge.h"
#include "window/gamedrawing.h"
#include "window/gamewindow.h"
#include "window/internetplay.h"
#include "window/soundplayer.h"

namespace kalvon {

WindowEngineHost::WindowEngineHost(const WindowEngineHostParts& parts)
    : m(parts)
{
}

void WindowEngineHost::DrawField(int p) { m.drawing.DrawField(p); }
void WindowEngineHost::PaintFieldBackground(int p) { m.drawing.PaintFieldBackground(p); }
void WindowEngineHost::UpdateFieldBlocks(int p) { m.drawing.UpdateFieldBlocks(p); }
void WindowEngineHost::ResetTrailLastDrawTime(int p) { m.drawing.ResetTrailLastDrawTime(p); }

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

void WindowEngineHost::UpdateSpecialsWindow(int p) { m.drawing.UpdateSpecialsWindow(p); }
void WindowEngineHost::DrawSpecialWindow(int p) { m.drawing.DrawSpecialWindow(p); }
void WindowEngineHost::DrawNextPiece(int p) { m.drawing.DrawNextPiece(p); }

void WindowEngineHost::playSound(SoundSlot slot) { m.sounds.play(slot); }
void WindowEngineHost::setLabel(LabelId label, int p, BytesView text) { m.window.setLabel(label, p, text); }
void WindowEngineHost::BotPieceUpdate(int p) { m.bot.BotPieceUpdate(p); }

void WindowEngineHost::SendToServer(BytesView line) { m.internet.SendToServer(line); }

void WindowEngineHost::ClientDispatchMessage(BytesView code, BytesView payload)
{
    m.internet.ClientDispatchMessage(code, payload);
}

void WindowEngineHost::SendFieldUpdate() { m.internet.SendFieldUpdate(); }
void WindowEngineHost::ResetSentField() { m.internet.ResetSentField(); }
void WindowEngineHost::CheckLevelUp() { m.internet.CheckLevelUp(); }
int WindowEngineHost::MyIndex() const { return m.internet.MyIndex(); }

void WindowEngineHost::Yield() { m.pump.Yield(); }
void WindowEngineHost::Wait(int64_t ms) { m.pump.Wait(ms); }

} // namespace kalvon

#include "window/optionseffects.h"

#include "engine/enginedrawing.h"
#include "engine/state.h"
#include "engine/store/options.h"
#include "game/coregameside.h"
#include "game/internetplay.h"
#include "platform/windowutils.h"
#include "window/trayicon.h"

#include <QWidget>

namespace kalvon {

ProgramOptionsEffects::ProgramOptionsEffects(const OptionsEffectsParts& parts)
    : m(parts)
{
}

void ProgramOptionsEffects::optionsChanged()
{
    m.game.optionsChanged();
}

void ProgramOptionsEffects::redrawAllFields()
{
    for (int p = 1; p <= kLocalPlayers; ++p)
        m.drawing.DrawField(p);
    for (int board = 1; board <= kInternetFields; ++board)
        m.internet.DrawNetPlayerField(board);
}

void ProgramOptionsEffects::showHeightLeds(bool shown)
{
    for (int p = 1; p <= kLocalPlayers; ++p) {
        if (shown)
            m.drawing.DrawHeightLed(p);
        else
            m.drawing.ClearHeightLed(p);
    }
}

void ProgramOptionsEffects::applyStayOnTop()
{
    ApplyStayOnTop(m.mainWindow.windowHandle(), m.options.general.stayOnTop);
    ApplyStayOnTop(m.highScoreWindow.windowHandle(), m.options.general.stayOnTop);
}

void ProgramOptionsEffects::applyTrayIcon()
{
    m.tray.applyOption(m.options.general.taskbarIcon);
}

void ProgramOptionsEffects::GenerateTrail()
{
    m.game.GenerateTrail();
}

} // namespace kalvon

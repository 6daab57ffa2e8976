#include "game/gametick.h"

#include "common/clock.h"
#include "common/music/musicmodule.h"
#include "common/vbconv.h"
#include "engine/boarddoors.h"
#include "engine/gameengine.h"
#include "engine/levels.h"
#include "engine/specials.h"
#include "game/botbridge.h"
#include "game/gameoptions.h"
#include "game/gamewindow.h"
#include "game/heldkeys.h"
#include "game/internetplay.h"
#include "render/themerecord.h"

#include <algorithm>
#include <cmath>

namespace kalvon {

namespace {

constexpr int kDropExtraDelayMs = 50;

bool isBoard(int board)
{
    return board >= 1 && board <= kInternetFields;
}

// Steps a frame set when its delay has passed: frames run 1 .. count, then start again at 1.
template <typename Frame, typename Delay>
bool stepFrames(Frame& current, int64_t& lastStep, Delay delay, int16_t count, int64_t now)
{
    if (now - lastStep < delay)
        return false;
    lastStep = now;
    current = static_cast<Frame>(current >= count ? 1 : current + 1);
    return true;
}

} // namespace

Bytes gameTimeCaption(int64_t elapsedMs)
{
    const double seconds = vb::roundHalfEven(double(elapsedMs) / 1000.0);
    double minutes = vb::roundHalfEven(seconds / 60.0);
    double rest = seconds - 60.0 * minutes;
    if (rest < 0) {
        rest += 60;
        minutes -= 1;
    }
    return Bytes(kProgramCaption) + " - Game Time: " + vb::formatGeneral(minutes) + " min "
        + vb::formatGeneral(rest) + " sec";
}

Bytes linesPerMinuteText(int lines, int64_t elapsedMs)
{
    if (elapsedMs <= 0)
        return "LPM: 0";
    return "LPM: " + vb::formatGeneral(vb::roundHalfEven(double(lines) / double(elapsedMs) * 60000.0, 2));
}

GameTick::GameTick(const GameTickParts& parts)
    : m(parts)
{
}

void GameTick::runTick()
{
    const int64_t now = m.clock.nowMs();
    const EngineState& s = m.engine.state();
    m.engine.setOptions(engineOptionsFrom(m.options));
    if (isChecked(m.options.sound.playMusic))
        m.music.CheckMusicLoop();

    const int64_t elapsed = s.PlayTimeTotal + now - s.PlayTimeStart;
    if (m.window.CurrentScreen() != Screen::Options)
        m.window.setCaption(gameTimeCaption(elapsed));

    // Once anything in this tick asked for a redraw, every later local field is redrawn too.
    bool redraw = false;
    for (int p = 1; p <= kLocalPlayers; ++p)
        tickPlayer(p, now, elapsed, redraw);

    sharedAnimations(now);
    if (s.GameMode == GameMode::Internet)
        remoteBoards(now);
    sideWindows(now);
}

void GameTick::tickPlayer(int p, int64_t now, int64_t elapsed, bool& redraw)
{
    const EngineState& s = m.engine.state();
    const GraphicsSettings& g = m.options.graphics;
    m.window.setLinesPerMinute(p, linesPerMinuteText(s.Lines[p], elapsed));

    const int interval = m.engine.fallInterval(p);

    m.engine.updateResting(p);
    if (p == 1 && m.bot.BotLinked())
        m.bot.BotThink(1);
    if (!(s.GameMode == GameMode::Internet && m.internet.Spectating())) {
        heldKeyActions(p, now, interval, redraw);
        gravity(p, now, interval, redraw);
    }
    // Outside two-player games the second player's pass ends here.
    if (s.GameMode != GameMode::TwoPlayers && p == 2)
        return;

    m.engine.endTimedEffects(p, now);

    if (s.GameActive && m.engine.HasBlocksInTopRows(p) && isChecked(g.warning)) {
        m.engine.pulseWarning(p);
        redraw = true;
    }
    const ThemeRecord& theme = m.themes.CurrentTheme;
    m.engine.stepBombs(p, now, theme.bombdelaybetweenframes, theme.bombframecount);
    if (animationNeedsRedraw(p))
        redraw = true;
    if (redraw)
        drawing().DrawField(p);
    drawing().DrawHeightLed(p);
}

void GameTick::heldKeyActions(int p, int64_t now, int interval, bool& redraw)
{
    // The delay is read afresh for each action: the moves let events run, and a handler may
    // change the options meanwhile.
    auto fires = [&](KeyAction action, int extra) {
        if (!m.keys.wanted(p, action) || now - m.keys.lastTime(p, action) < keyRepeatDelay(m.options) + extra)
            return false;
        // Set before the move, so a tick run inside the move's waits does not repeat it.
        m.keys.lastTime(p, action) = now;
        m.keys.tapped(p, action) = false;
        redraw = true;
        return true;
    };
    if (fires(KeyAction::Rotate2, 0))
        m.engine.RotatePiece(p, 2);
    if (fires(KeyAction::Rotate, 0))
        m.engine.RotatePiece(p, 1);
    if (fires(KeyAction::Left, 0))
        m.engine.MovePieceLeft(p);
    if (fires(KeyAction::Right, 0))
        m.engine.MovePieceRight(p);
    if (fires(KeyAction::Drop, kDropExtraDelayMs))
        m.engine.HardDrop(p);
    if (fires(KeyAction::Down, 0)) {
        m.engine.MovePieceDown(p);
        m.engine.heldDownRestart(p, now, keyRepeatDelay(m.options), interval);
    }
    if (fires(KeyAction::UseSelf, 0))
        m.engine.UseSpecial(p, specialTarget(p, false));
    if (fires(KeyAction::UseOther, 0))
        m.engine.UseSpecial(p, specialTarget(p, true));
}

void GameTick::gravity(int p, int64_t now, int interval, bool& redraw)
{
    const SmoothFall smooth{ .enabled = isChecked(m.options.graphics.smoothBlock),
        .downHeld = m.keys.held(p, KeyAction::Down),
        .downLastFired = m.keys.lastTime(p, KeyAction::Down),
        .repeatDelay = keyRepeatDelay(m.options),
        .fallInterval = interval };
    if (m.engine.fallStep(p, now, smooth))
        redraw = true;
}

bool GameTick::animationNeedsRedraw(int p) const
{
    const EngineState& s = m.engine.state();
    if (s.HardDropping[p] || s.FieldExplodeRunning[p])
        return false;
    const ThemeRecord& theme = m.themes.CurrentTheme;
    const GraphicsSettings& g = m.options.graphics;
    const bool animatedSheets
        = (theme.animateblocks && isChecked(g.animateBlocks)) || (theme.bganimated && isChecked(g.animateBg));
    return (animatedSheets && theme.themetype == 1) || (theme.animatespecials && isChecked(g.animateSpecials))
        || s.WarningFalling[p] || isChecked(g.smoothBlock) || isChecked(g.dropTrail)
        || m.engine.drawing().fieldShaking(p);
}

void GameTick::sharedAnimations(int64_t now)
{
    ThemeRecord& t = m.themes.CurrentTheme;
    const GraphicsSettings& g = m.options.graphics;
    if (isChecked(g.animateBg) && t.bganimated)
        stepFrames(t.bgcurrentframe, t.bglaststeptime, t.bgdelaybetweenframes, t.bgframecount, now);
    stepFrames(t.blkcurrentframe, t.blklaststeptime, t.blkdelaybetweenframes, t.blkframecount, now);
    if (isChecked(g.animateInetBg) && t.inetbganimated)
        stepFrames(
            t.inetbgcurrentframe, t.inetbglaststeptime, t.inetbgdelaybetweenframes, t.inetbgframecount, now);
}

void GameTick::remoteBoards(int64_t now)
{
    InternetPlay& net = m.internet;
    const GraphicsSettings& g = m.options.graphics;
    bool redrawAll = false;
    if (isChecked(g.door)) {
        const DoorSteps steps = stepDoors(m.doors, now);
        for (int board : steps.closingMoved)
            net.DrawNetPlayerField(board);
        redrawAll = steps.openingMoved;
    }

    const ThemeRecord& t = m.themes.CurrentTheme;
    if ((t.inetbganimated && isChecked(g.animateInetBg))
        || (t.animateinetspecials && isChecked(g.animateInetSpecials))
        || (t.animateinetblocks && isChecked(g.animateInetBlocks)) || redrawAll) {
        for (int slot = 1; slot <= kPlayingSlots; ++slot) {
            if (net.SpotPlayer(slot) < 0 || slot == net.MySpot() || (net.Spectating() && slot == 1))
                continue;
            const int board = net.SpotBoard(slot);
            if (isBoard(board))
                net.DrawNetPlayerField(board);
        }
    }

    for (int board = 1; board <= kInternetFields; ++board) {
        for (RemoteEffect effect : kRemoteEffects) {
            if (!net.remoteEffectActive(board, effect))
                continue;
            const bool ended = now - net.remoteEffectStart(board, effect) >= kTimedSpecialMs;
            if (ended)
                net.endRemoteEffect(board, effect);
            net.UpdateNetBoardMarkers(board);
            if (ended)
                net.DrawNetPlayerField(board);
        }
    }
}

void GameTick::sideWindows(int64_t now)
{
    ThemeRecord& t = m.themes.CurrentTheme;
    const GraphicsSettings& g = m.options.graphics;
    if (t.themetype != 1)
        return;
    if (t.specialwindowanimated && isChecked(g.animateSpecialWindow)
        && stepFrames(t.specialwindowcurrentframe, t.specialwindowlaststeptime,
            t.specialwindowdelaybetweenframes, t.specialwindowframecount, now))
        drawSpecialWindows();
    if (isChecked(g.animateNextBlock)
        && stepFrames(t.nextblkcurrentframe, t.nextblklaststeptime, t.nextblkdelaybetweenframes,
            t.nextblkframecount, now))
        drawNextPieces();
}

void GameTick::drawSpecialWindows()
{
    drawing().DrawSpecialWindow(1);
    if (m.engine.state().GameMode == GameMode::TwoPlayers)
        drawing().DrawSpecialWindow(2);
}

void GameTick::drawNextPieces()
{
    drawing().DrawNextPiece(1);
    if (m.engine.state().GameMode == GameMode::TwoPlayers)
        drawing().DrawNextPiece(2);
}

EngineDrawing& GameTick::drawing()
{
    return m.engine.drawing();
}

} // namespace kalvon

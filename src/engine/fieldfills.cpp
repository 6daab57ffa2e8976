// What a finished field shows: the random fill, the striped picture of the surviving field, and
// the doors that close over a field at the end of its game and open at the start of the next,
// with the door and explosion flags the drawing keeps in the state.

#include "engine/gameengine.h"

#include <array>

namespace kalvon {

namespace {

// The striped picture, by pairs of rows; rows 10 and 11 have colour 0 at both edges.
constexpr std::array<int16_t, kFieldRows / 2> kStripeColors = { 4, 5, 1, 2, 0, 3, 0, 2, 1, 5, 4 };
constexpr int16_t kStripeEdgeColor = 0;

// The doors move 8 pixels a frame over the 192-pixel field.
constexpr int kDoorFrames = 24;
constexpr int kDoorStep = 8;
constexpr int64_t kDoorOpenWaitMs = 20;

} // namespace

void GameEngine::FillFieldRandom(int p)
{
    auto& s = m_state;
    if (p < 1 || p > kLocalFields)
        return;
    // Fields filled in the same millisecond still differ.
    m_random.reseed(static_cast<uint64_t>(m_clock.nowMs()) * kLocalFields + static_cast<uint64_t>(p));
    drawing().ClearTrails();
    // Behind closed doors the cells change without drawing.
    const bool visible = s.FieldDoorOpen[p] || !s.Options.doors;
    if (visible)
        drawing().ClearFieldPicture(p);
    for (int x = 0; x < kFieldColumns; ++x) {
        for (int y = 0; y < kFieldRows; ++y) {
            s.FieldOccupied[p][x][y] = kCellOccupied;
            s.FieldColor[p][x][y] = static_cast<int16_t>(randomBelow(m_random, 6));
        }
    }
    drawing().ResetBlockFrame();
    if (visible) {
        drawing().DrawField(p);
        drawing().RefreshField(p);
    }
}

void GameEngine::FillFieldPicture(int p)
{
    auto& s = m_state;
    if (!isPlayer(p))
        return;
    drawing().ClearTrails();
    s.ShieldActive[p] = false;
    RedrawField(p);
    drawing().ResetBlockFrame();
    for (int y = 0; y < kFieldRows; ++y) {
        const int16_t color = kStripeColors[static_cast<size_t>(y / 2)];
        const bool middle = y == 10 || y == 11;
        for (int x = 0; x < kFieldColumns; ++x) {
            const bool edge = x == 0 || x == kFieldColumns - 1;
            s.FieldOccupied[p][x][y] = kCellOccupied;
            s.FieldColor[p][x][y] = middle && edge ? kStripeEdgeColor : color;
        }
    }
    s.GameOverShown[p] = true;
    drawing().DrawField(p);
}

void GameEngine::FadeOutField(int p)
{
    auto& s = m_state;
    if (p < 1 || p > kLocalFields)
        return;
    if (!s.Options.doors) {
        s.FieldDoorOpen[p] = false;
        return;
    }
    if (!beginDoorClose(p))
        return;
    for (int i = 1; i <= kDoorFrames; ++i)
        drawing().DrawDoorFrame(p, kDoorStep * i);
    doorClosed(p);
}

void GameEngine::FadeInField(int p)
{
    auto& s = m_state;
    if (p < 1 || p > kLocalFields)
        return;
    if (!s.Options.doors) {
        s.FieldDoorOpen[p] = true;
        return;
    }
    if (s.FieldDoorOpening[p] || s.FieldDoorOpen[p])
        return;
    s.FieldDoorOpen[p] = true;
    s.FieldDoorOpening[p] = true;
    for (int i = 1; i <= kDoorFrames; ++i) {
        if (s.GameMode != GameMode::TwoPlayers) {
            m_host.Wait(kDoorOpenWaitMs);
            // The doors were closed again while the opening waited (the game ended): they stay
            // closed.
            if (!s.FieldDoorOpen[p]) {
                s.FieldDoorOpening[p] = false;
                return;
            }
        }
        drawing().DrawDoorFrame(p, kDoorStep * (kDoorFrames - i));
    }
    s.FieldDoorOpening[p] = false;
    s.FieldDoorOpen[p] = true;
}

bool GameEngine::beginDoorClose(int p)
{
    auto& s = m_state;
    if (!isField(p) || s.FieldDoorClosing[p] || !s.FieldDoorOpen[p])
        return false;
    s.FieldDoorClosing[p] = true;
    return true;
}

void GameEngine::doorClosed(int p)
{
    if (!isField(p))
        return;
    m_state.FieldDoorOpen[p] = false;
    m_state.FieldDoorClosing[p] = false;
}

bool GameEngine::beginDoorOpen(int p)
{
    auto& s = m_state;
    if (!isField(p) || s.FieldDoorOpening[p] || s.FieldDoorOpen[p])
        return false;
    s.FieldDoorOpening[p] = true;
    return true;
}

void GameEngine::doorOpened(int p)
{
    if (!isField(p))
        return;
    m_state.FieldDoorOpening[p] = false;
    m_state.FieldDoorOpen[p] = true;
}

void GameEngine::setExplosionRunning(int p, bool running)
{
    if (isField(p))
        m_state.FieldExplodeRunning[p] = running;
}

} // namespace kalvon

// What a finished field shows: the random fill, the striped picture of the surviving field, and
// the doors that close over a field at the end of its game and open at the start of the next.

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
    m_host.ClearTrails();
    // Behind closed doors the cells change without drawing.
    const bool visible = s.FieldDoorOpen[p] || !s.Options.doors;
    if (visible)
        m_host.ClearFieldPicture(p);
    for (int x = 0; x < kFieldColumns; ++x) {
        for (int y = 0; y < kFieldRows; ++y) {
            s.FieldOccupied[p][x][y] = kCellOccupied;
            s.FieldColor[p][x][y] = static_cast<int16_t>(randomBelow(m_random, 6));
        }
    }
    m_host.ResetBlockFrame();
    if (visible) {
        m_host.DrawField(p);
        m_host.RefreshField(p);
    }
}

void GameEngine::FillFieldPicture(int p)
{
    auto& s = m_state;
    if (!isPlayer(p))
        return;
    m_host.ClearTrails();
    s.ShieldActive[p] = false;
    RedrawField(p);
    m_host.ResetBlockFrame();
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
    m_host.DrawField(p);
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
    if (s.FieldDoorClosing[p] || !s.FieldDoorOpen[p])
        return;
    s.FieldDoorClosing[p] = true;
    for (int i = 1; i <= kDoorFrames; ++i)
        m_host.DrawDoorFrame(p, kDoorStep * i);
    s.FieldDoorOpen[p] = false;
    s.FieldDoorClosing[p] = false;
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
        m_host.DrawDoorFrame(p, kDoorStep * (kDoorFrames - i));
    }
    s.FieldDoorOpening[p] = false;
    s.FieldDoorOpen[p] = true;
}

} // namespace kalvon

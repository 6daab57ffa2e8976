// The landing: full rows are found, their specials collected and the rows removed in one go,
// before anything can wait; then the lines are counted, the level raised, specials planted,
// lines sent to the others under the classic rule, the score added and the next piece brought
// in. Where a host call may have waited (the explosion, the lines sent to the other local
// player), the step goes on only while its own game is still running.

#include "engine/gameengine.h"

#include <algorithm>

namespace kalvon {

namespace {

// Up to four full rows, top first; a fifth full row takes the place of the fourth.
ClearedRows findFullRows(const EngineState& s, int p)
{
    ClearedRows found;
    for (int y = 0; y < kFieldRows; ++y) {
        bool full = true;
        for (int x = 0; x < kFieldColumns && full; ++x)
            full = s.FieldOccupied[p][x][y] != kCellEmpty;
        if (!full)
            continue;
        found.count = std::min(found.count + 1, 4);
        const auto entry = static_cast<size_t>(found.count - 1);
        found.rows[entry] = static_cast<int16_t>(y);
        for (int x = 0; x < kFieldColumns; ++x)
            found.colors[entry][static_cast<size_t>(x)] = s.FieldColor[p][x][y];
    }
    return found;
}

// Lines the classic rule sends for a clear of n rows: 2, 3, 4 give 1, 2, 4.
int classicLines(int n)
{
    return n == 4 ? 4 : (n >= 2 ? n - 1 : 0);
}

bool isSpecialCode(int code)
{
    return code >= kFirstSpecialCode && code <= kLastSpecialCode;
}

} // namespace

bool GameEngine::stillRunning(uint32_t generation) const
{
    return m_state.GameGeneration == generation && (m_state.GameActive || m_state.GamePaused);
}

void GameEngine::collectSpecialsFromRows(int p, const ClearedRows& rows)
{
    // With linespecial each special is collected once per cleared row, while there is room.
    const int times = m_state.Rules.linespecial ? rows.count : 1;
    for (int i = 0; i < rows.count; ++i) {
        for (int16_t code : rows.colors[static_cast<size_t>(i)]) {
            if (!isSpecialCode(code))
                continue;
            for (int k = 0; k < times && !inventoryFull(p); ++k)
                collectSpecial(p, code);
        }
    }
}

void GameEngine::removeRows(int p, const ClearedRows& rows)
{
    auto& occupied = m_state.FieldOccupied[p];
    auto& color = m_state.FieldColor[p];
    // Top row first, so the later entries still name the right rows. Row 0 is emptied before
    // each removal and the rows above move down one.
    for (int i = 0; i < rows.count; ++i) {
        const int r = rows.rows[static_cast<size_t>(i)];
        for (int x = 0; x < kFieldColumns; ++x) {
            occupied[x][0] = kCellEmpty;
            occupied[x][r] = kCellEmpty;
            for (int y = r; y > 0; --y) {
                color[x][y] = color[x][y - 1];
                occupied[x][y] = occupied[x][y - 1];
            }
        }
    }
}

void GameEngine::LockPieceAndClearLines(int p)
{
    auto& s = m_state;
    if (!playerActs(p) || !s.GameActive || s.PieceInPlay[p])
        return;
    const uint32_t generation = s.GameGeneration;
    s.HardDropping[p] = false;

    const ClearedRows cleared = findFullRows(s, p);
    const int n = cleared.count;
    if (s.GameMode != GameMode::OnePlayer && s.Rules.specials)
        collectSpecialsFromRows(p, cleared);
    const bool explode = n == 4 && s.Options.explode;
    if (explode)
        drawing().DrawField(p);
    removeRows(p, cleared);
    if (explode) {
        drawing().AnimateLineExplosion(p, cleared);
        if (!stillRunning(generation))
            return;
    }
    if (n == 4)
        playSound(SoundSlot::Quad);
    else if (n > 0)
        playSound(SoundSlot::LineClear);

    s.Lines[p] += n;
    if (s.GameMode == GameMode::Internet) {
        s.LevelLineCount += n;
        m_host.CheckLevelUp();
    } else {
        UpdateLevel(p);
    }
    setCountLabel(LabelId::Lines, p, "Lines: ", s.Lines[p]);

    if (s.Rules.specials) {
        if (specialsCanBePlanted())
            s.SpecialLineCount += n;
        AddSpecialsFromLines(p);
    }

    if (n == 4) {
        ++s.FourLineClears[p];
        setCountLabel(LabelId::Quads, p, "Quads: ", s.FourLineClears[p]);
    }
    if (s.GameMode == GameMode::TwoPlayers && s.Rules.classic) {
        const int other = OtherPlayer(p);
        for (int i = classicLines(n); i > 0; --i) {
            m_effects->AddLine(other);
            if (!stillRunning(generation))
                return;
        }
    }

    if (s.GameMode == GameMode::OnePlayer) {
        s.Score += (s.ActiveLevel + 1) * n * 10;
        setCountLabel(LabelId::Score, 1, "", s.Score);
    } else if (s.GameMode == GameMode::Internet) {
        if (s.Rules.classic && n >= 2) {
            const int lines = classicLines(n);
            s.LinesAddedToAll += lines;
            m_host.addLinesToAll(lines);
        }
        m_host.SendFieldUpdate();
    }

    const int piece = s.NextPiece[p];
    SetNextPiece(p, GenerateNextBlock().value_or(0));
    drawing().DrawNextPiece(p);
    SpawnPiece(p, piece, kSpawnColumn, 0);
    drawing().UpdateFieldBlocks(p);
    drawing().DrawField(p);
}

} // namespace kalvon

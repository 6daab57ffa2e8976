// What internet play changes in the local game: the server's common level, the level steps of
// the lines counted, the cells of field 1 that come from the wire (a spectator's view of spot 1,
// a Switch Blocks swap). The special at hand sent to another player is spent in inventory.cpp.

#include "engine/gameengine.h"
#include "engine/levels.h"

namespace kalvon {

namespace {

// The top rows a swapped field never brings blocks into.
constexpr int kSwapClearRows = 7;

bool onField(const CellWrite& cell)
{
    return cell.column >= 0 && cell.column < kFieldColumns && cell.row >= 0 && cell.row < kFieldRows;
}

} // namespace

void GameEngine::setCommonLevel(int level)
{
    auto& s = m_state;
    if (level < s.ActiveLevel)
        return;
    s.ActiveLevel = clampLevel(level);
    s.FallSpeed[1] = FallSpeedFor(s.ActiveLevel);
    setCountLabel(LabelId::ActiveLevel, 1, "Active Level: ", s.ActiveLevel);
}

void GameEngine::stepNetworkLevel()
{
    auto& s = m_state;
    const GameRules& rules = s.Rules;
    if (rules.linelevel <= 0)
        return;
    while (s.LevelLineCount >= rules.linelevel) {
        s.LevelLineCount -= rules.linelevel;
        s.Level[1] = clampLevel(int64_t(s.Level[1]) + rules.raiselevel);
        setCountLabel(LabelId::Level, 1, "Level: ", s.Level[1]);
    }
}

void GameEngine::writeFieldCells(int p, std::span<const CellWrite> cells)
{
    auto& s = m_state;
    if (!isField(p))
        return;
    for (const CellWrite& cell : cells) {
        if (!onField(cell))
            continue;
        s.FieldOccupied[p][cell.column][cell.row] = cell.code ? kCellOccupied : kCellEmpty;
        if (cell.code)
            s.FieldColor[p][cell.column][cell.row] = *cell.code;
    }
    drawing().UpdateFieldBlocks(p);
    drawing().DrawField(p);
}

void GameEngine::receiveSwappedField(int p, std::span<const CellWrite> cells)
{
    auto& s = m_state;
    if (!isPlayer(p))
        return;
    for (const CellWrite& cell : cells) {
        if (!onField(cell))
            continue;
        int16_t& occupied = s.FieldOccupied[p][cell.column][cell.row];
        int16_t& color = s.FieldColor[p][cell.column][cell.row];
        if (occupied != kCellEmpty && color >= kFallingCodeOffset)
            continue;
        if (!cell.code || cell.row < kSwapClearRows) {
            occupied = kCellEmpty;
        } else {
            occupied = kCellOccupied;
            color = *cell.code;
        }
    }
    drawing().DrawHeightLed(p);
    drawing().UpdateFieldBlocks(p);
    drawing().DrawField(p);
}

} // namespace kalvon

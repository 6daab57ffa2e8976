// What comes next: the type of each next piece, and the specials that cleared lines plant in a
// field. Both are weighted draws over the occurrence percentages; every draw is Int(r x n).

#include "engine/gameengine.h"

#include <algorithm>

namespace kalvon {

namespace {

// Ranges laid end to end in `order`, each as wide as its percentage (below 0 counts as 0); the
// range holding Int(r x sum) decides. Nothing when no percentage is above 0.
template <size_t N>
std::optional<int> weightedDraw(
    EngineRandom& random, const BlockOccurancy& percentages, size_t first, const std::array<int, N>& order)
{
    int32_t sum = 0;
    for (int entry : order)
        sum += std::max<int16_t>(percentages[first + static_cast<size_t>(entry)], 0);
    const int r = randomBelow(random, sum);
    int32_t lower = 0;
    for (int entry : order) {
        const int32_t width = std::max<int16_t>(percentages[first + static_cast<size_t>(entry)], 0);
        if (width > 0 && lower <= r && r < lower + width)
            return entry;
        lower += width;
    }
    return std::nullopt;
}

constexpr std::array<int, kPieceTypes> kPieceOrder = { 0, 1, 2, 3, 4, 5, 6 };
// Specials are tested in this order of SpecialType: Clear Specials comes third.
constexpr std::array<int, kSpecialTypes> kSpecialOrder
    = { 0, 1, 5, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15 };

} // namespace

std::optional<int> GameEngine::GenerateNextBlock()
{
    switch (m_state.GameMode) {
    case GameMode::OnePlayer: return randomBelow(m_random, kPieceTypes);
    case GameMode::TwoPlayers: return weightedDraw(m_random, m_state.BlockOccurancy, 0, kPieceOrder);
    case GameMode::Internet: return weightedDraw(m_random, m_state.InetBlockOccurancy, 0, kPieceOrder);
    }
    return std::nullopt;
}

void GameEngine::SetNextPiece(int p, int type)
{
    if (p < 1 || p > kLocalFields)
        return;
    m_state.NextPiece[p] = static_cast<int16_t>(type);
    m_host.BotPieceUpdate(p);
}

std::optional<int> GameEngine::PickSpecial()
{
    std::optional<int> type;
    if (m_state.GameMode == GameMode::TwoPlayers)
        type = weightedDraw(m_random, m_state.BlockOccurancy, kPieceTypes, kSpecialOrder);
    else if (m_state.GameMode == GameMode::Internet)
        type = weightedDraw(m_random, m_state.InetBlockOccurancy, kPieceTypes, kSpecialOrder);
    if (!type)
        return std::nullopt;
    return kFirstSpecialCode + *type;
}

bool GameEngine::specialsCanBePlanted() const
{
    const auto& s = m_state;
    return s.Rules.specials && s.GameMode != GameMode::OnePlayer && s.Rules.specialsmade > 0
        && s.Rules.specialline > 0;
}

std::optional<Cell> GameEngine::specialPlace(int p)
{
    auto& candidates = m_state.SpecialCandidates;
    if (!candidates.empty()) {
        const int count = static_cast<int>(candidates.size());
        const int i = std::clamp(randomBelow(m_random, count), 0, count - 1);
        const Cell cell = candidates[static_cast<size_t>(i)];
        candidates.erase(candidates.begin() + i);
        return cell;
    }
    // No candidate left: the leftmost free cell of the lowest row, from 21 up to 11, that has at
    // least two free cells. Higher up there is no place.
    for (int y = kFieldRows - 1; y >= 11; --y) {
        if (CountRowCells(p, y) >= 11)
            continue;
        for (int x = 0; x < kFieldColumns; ++x)
            if (m_state.FieldOccupied[p][x][y] != kCellOccupied)
                return Cell{ static_cast<int16_t>(x), static_cast<int16_t>(y) };
    }
    return std::nullopt;
}

void GameEngine::AddSpecialsFromLines(int p)
{
    auto& s = m_state;
    if (!isPlayer(p) || !specialsCanBePlanted())
        return;
    // Candidates: locked normal blocks and Add Line specials, column by column.
    auto& candidates = s.SpecialCandidates;
    candidates.clear();
    for (int x = 0; x < kFieldColumns; ++x)
        for (int y = 0; y < kFieldRows; ++y)
            if (s.FieldOccupied[p][x][y] == kCellOccupied && s.FieldColor[p][x][y] <= kFirstSpecialCode)
                candidates.push_back({ static_cast<int16_t>(x), static_cast<int16_t>(y) });

    const int perBatch = s.Rules.specialsmade;
    while (s.SpecialLineCount >= s.Rules.specialline) {
        s.SpecialLineCount -= s.Rules.specialline;
        for (int i = 0; i < perBatch; ++i) {
            const std::optional<Cell> place = specialPlace(p);
            if (!place)
                break; // the field has no room; nothing planted for the rest of the batch
            s.FieldOccupied[p][place->column][place->row] = kCellOccupied;
            s.FieldColor[p][place->column][place->row] = static_cast<int16_t>(PickSpecial().value_or(0));
        }
    }
}

} // namespace kalvon

#pragma once
// An engine rig whose specials are the real effects, for the tests of the specials, pause and
// game over.

#include "engine/specials.h"
#include "support/enginefakes.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace kalvon::testing {

struct SpecialsRig : EngineRig {
    GameSpecials specials{ engine };

    explicit SpecialsRig(GameMode mode = GameMode::TwoPlayers)
        : EngineRig(mode)
    {
        engine.setEffects(specials);
    }

    // The inventory of p, the special at hand last.
    void give(int p, std::initializer_list<SpecialType> specials)
    {
        for (SpecialType type : specials)
            state().lstSpecials[p].push_back(
                static_cast<int16_t>(kFirstSpecialCode + static_cast<int>(type)));
    }
    // Random numbers for `count` draws that all give 0.
    void addZeros(int count) { random.values.insert(random.values.end(), static_cast<size_t>(count), 0.0); }
};

// A whole field from rows given by number, the rest empty; and such rows as fixture rows.
inline std::vector<std::string> rowsAt(std::initializer_list<std::pair<int, const char*>> rows)
{
    std::vector<std::string> field(kFieldRows, std::string(kFieldColumns, '.'));
    for (auto [y, text] : rows)
        field[static_cast<size_t>(y)] = text;
    return field;
}
inline FieldRows rowsOf(const std::vector<std::string>& rows)
{
    return FieldRows(rows.begin(), rows.end());
}

// The value r whose Int(r x n) is k.
inline double pick(int k, int n)
{
    return (k + 0.5) / n;
}

} // namespace kalvon::testing

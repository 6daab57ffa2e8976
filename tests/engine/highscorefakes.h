#pragma once
// A high-score store and window that record what they are given.

#include "engine/highscores.h"

#include <functional>
#include <ostream>
#include <vector>

namespace kalvon {
inline void PrintTo(const HighScoreEntry& entry, std::ostream* out)
{
    *out << '(' << entry.Name << ", " << entry.Score << ')';
}
} // namespace kalvon

namespace kalvon::testing {

struct RecordingHighScoreStore final : HighScoreStore {
    std::vector<HighScoreTable> saved;
    std::function<void()> duringSave;
    bool writable = true; // false: every save fails, as on a full disk
    bool SaveHighScores(const HighScoreTable& table) override
    {
        saved.push_back(table);
        if (duringSave)
            duringSave();
        return writable;
    }
};

struct RecordingHighScoreView final : HighScoreView {
    std::vector<HighScoreTable> shown;
    int windowShown = 0;
    void ShowHighScores(const HighScoreTable& table) override { shown.push_back(table); }
    void showHighScoreWindow() override { ++windowShown; }
};

} // namespace kalvon::testing

#pragma once
// The fifteen best scores of one-player games: ranking a finished game's score, asking the
// player's name, and the shifted text the score file keeps. Writing the file is the store's
// (ScoresFile), showing the table the window's; both are reached through the small interfaces
// below. The name is asked through the Dialogs interface every other input box of the program
// uses, so the window shows it like the rest and tests script the answer.

#include "common/bytes.h"
#include "common/dialogs.h"

#include <array>
#include <cstdint>
#include <optional>

namespace kalvon {

inline constexpr int kHighScoreRanks = 15;
inline constexpr char kDefaultHighScoreName[] = "Kalvon";

struct HighScoreEntry {
    Bytes Name = kDefaultHighScoreName;
    int32_t Score = 0;
    friend bool operator==(const HighScoreEntry&, const HighScoreEntry&) = default;
};

// Ranks 1..15 at indexes 0..14, best first.
using HighScoreTable = std::array<HighScoreEntry, kHighScoreRanks>;

// Fifteen times ("Kalvon", 0).
HighScoreTable defaultHighScores();

// Every byte moved up by 5 (the score file's scrambling). Bytes 251..255 have no byte 5 above
// them and are dropped.
Bytes EncodeScoreText(BytesView text);
// Every byte moved down by 5; nothing when a byte is below 5 (no text encodes to it).
std::optional<Bytes> DecodeScoreText(BytesView text);

// The rank (1..15) a score takes: the first whose score it beats; an equal score ranks below.
std::optional<int> highScoreRank(const HighScoreTable& table, int32_t score);

// The message shown when the table could not be written.
inline constexpr char kHighScoresNotSaved[] = "Could not save the high scores!";

// Where the table is kept (scores.ini); false when it could not be written.
class HighScoreStore {
public:
    virtual ~HighScoreStore() = default;
    [[nodiscard]] virtual bool SaveHighScores(const HighScoreTable& table) = 0;
};

// The high-score window.
class HighScoreView {
public:
    virtual ~HighScoreView() = default;
    // Its labels take the table: each rank's name and its score in decimal.
    virtual void ShowHighScores(const HighScoreTable& table) = 0;
    // The window is shown (modeless).
    virtual void showHighScoreWindow() = 0;
};

class HighScores {
public:
    HighScores(Dialogs& dialogs, HighScoreStore& store, HighScoreView& view);

    const HighScoreTable& table() const { return m_table; }
    // A table read from the file; the window shows it at once.
    void setTable(const HighScoreTable& table);

    // Ranks the score of a lost one-player game. When it makes the table, the lower ranks move
    // down, the player is asked for a name ("Unknown" when none is given), and the table is
    // saved, shown and its window opened; a failed save is then told in a message box.
    void CheckHighScore(int32_t score);

private:
    Dialogs& m_dialogs;
    HighScoreStore& m_store;
    HighScoreView& m_view;
    HighScoreTable m_table = defaultHighScores();
};

} // namespace kalvon

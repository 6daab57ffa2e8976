#pragma once
// The high-score file scores.ini: fifteen lines "score-name", best first, each ended by CR LF,
// every byte of a line moved up by 5 (EncodeScoreText). Read once at start-up, written whole
// after a new entry.

#include "common/bytes.h"
#include "engine/highscores.h"

#include <filesystem>
#include <optional>

namespace kalvon {

inline constexpr char kScoresFileName[] = "scores.ini";

// Where scores.ini is: beside the program when that folder is writable, else in the user's
// configuration folder (created when missing).
std::filesystem::path scoresFilePath(const std::filesystem::path& programFolder);

// The file's bytes for a table; a name is written without control characters, and as "Kalvon"
// when that leaves it empty.
Bytes highScoresText(const HighScoreTable& table);

// The table a file holds. Ranks the file does not reach are ("Kalvon", 0); lines past the
// fifteenth are decoded but not used. A line is the score, "-", the name (a score may have a
// sign). Nothing when the file is damaged: a byte that decodes below 0, a line without "-"
// after its first byte, a score that is not a number, an empty line after the first text.
std::optional<HighScoreTable> parseHighScores(BytesView bytes);

// The table of the file; a missing, unreadable or damaged file gives the default table.
HighScoreTable LoadHighScores(const std::filesystem::path& file);

// Writes the file whole through a temporary file. On failure the old file stays as it was and
// false comes back.
[[nodiscard]] bool SaveHighScores(const std::filesystem::path& file, const HighScoreTable& table);

// The score file of the running program, as the high-score table stores itself.
class ScoresFile final : public HighScoreStore {
public:
    explicit ScoresFile(std::filesystem::path file)
        : m_file(std::move(file))
    {
    }
    const std::filesystem::path& file() const { return m_file; }
    HighScoreTable load() const { return LoadHighScores(m_file); }
    [[nodiscard]] bool SaveHighScores(const HighScoreTable& table) override;

private:
    std::filesystem::path m_file;
};

} // namespace kalvon

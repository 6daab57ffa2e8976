#include "engine/highscores.h"

#include <algorithm>
#include <string>

namespace kalvon {

namespace {
constexpr int kScoreShift = 5;
} // namespace

HighScoreTable defaultHighScores()
{
    return HighScoreTable{};
}

Bytes EncodeScoreText(BytesView text)
{
    Bytes out;
    out.reserve(text.size());
    for (char c : text)
        if (byteCode(c) + kScoreShift <= 255)
            out += byteChar(byteCode(c) + kScoreShift);
    return out;
}

std::optional<Bytes> DecodeScoreText(BytesView text)
{
    Bytes out;
    out.reserve(text.size());
    for (char c : text) {
        if (byteCode(c) < kScoreShift)
            return std::nullopt;
        out += byteChar(byteCode(c) - kScoreShift);
    }
    return out;
}

std::optional<int> highScoreRank(const HighScoreTable& table, int32_t score)
{
    for (int rank = 1; rank <= kHighScoreRanks; ++rank)
        if (table[static_cast<size_t>(rank - 1)].Score < score)
            return rank;
    return std::nullopt;
}

HighScores::HighScores(Dialogs& dialogs, HighScoreStore& store, HighScoreView& view)
    : m_dialogs(dialogs)
    , m_store(store)
    , m_view(view)
{
}

void HighScores::setTable(const HighScoreTable& table)
{
    m_table = table;
    m_view.ShowHighScores(m_table);
}

void HighScores::CheckHighScore(int32_t score)
{
    const std::optional<int> rank = highScoreRank(m_table, score);
    if (!rank)
        return;
    const auto index = static_cast<size_t>(*rank - 1);
    std::move_backward(m_table.begin() + static_cast<ptrdiff_t>(index), m_table.end() - 1, m_table.end());

    const Bytes prompt
        = "Congratulations, you are ranked #" + std::to_string(*rank) + "\r" + "Enter your name";
    Bytes name = m_dialogs.inputBox(prompt).value_or("");
    // Control bytes would end a line of the score file (or become a line end once shifted).
    std::erase_if(name, [](char c) { return byteCode(c) < 32; });
    m_table[index] = { name.empty() ? Bytes("Unknown") : name, score };

    const bool saved = m_store.SaveHighScores(m_table);
    m_view.ShowHighScores(m_table);
    m_view.showHighScoreWindow();
    // The entry stays in the table shown, but the next start would not have it.
    if (!saved)
        m_dialogs.messageBox(kHighScoresNotSaved, "Error", MessageIcon::Critical);
}

} // namespace kalvon

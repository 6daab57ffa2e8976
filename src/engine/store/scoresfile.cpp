#include "engine/store/scoresfile.h"

#include "common/atomicfile.h"
#include "common/paths.h"
#include "common/vbconv.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace kalvon {

namespace {

// A score file is fifteen short lines; anything this large is not one.
constexpr std::uintmax_t kMaxFileBytes = 1 << 20;

// The lines of the file: each ends at LF, with the CRs before it; a last line needs no end.
std::vector<BytesView> fileLines(BytesView bytes)
{
    std::vector<BytesView> lines;
    while (!bytes.empty()) {
        const size_t end = bytes.find('\n');
        BytesView line = bytes.substr(0, end);
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        bytes = end == BytesView::npos ? BytesView() : bytes.substr(end + 1);
    }
    return lines;
}

// A name as the file can keep it: one line of text, so without control characters (bytes 5
// and 8 shift to LF and CR, which would cut the line or be taken for its end); the default
// name when nothing is left.
Bytes storedName(BytesView name)
{
    Bytes stored;
    for (char c : name) {
        if (byteCode(c) >= 32)
            stored += c;
    }
    return stored.empty() ? Bytes(kDefaultHighScoreName) : stored;
}

} // namespace

std::filesystem::path scoresFilePath(const std::filesystem::path& programFolder)
{
    return paths::settingsDir(programFolder) / kScoresFileName;
}

Bytes highScoresText(const HighScoreTable& table)
{
    Bytes text;
    for (const HighScoreEntry& entry : table) {
        text += EncodeScoreText(vb::formatInt(entry.Score) + "-" + storedName(entry.Name));
        text += "\r\n";
    }
    return text;
}

std::optional<HighScoreTable> parseHighScores(BytesView bytes)
{
    // The decoded lines joined by CR; empty lines before the first text are passed over.
    Bytes text;
    for (BytesView line : fileLines(bytes)) {
        const std::optional<Bytes> decoded = DecodeScoreText(line);
        if (!decoded)
            return std::nullopt;
        if (text.empty())
            text = *decoded;
        else
            text += '\r' + *decoded;
    }

    HighScoreTable table = defaultHighScores();
    BytesView rest = text;
    for (HighScoreEntry& entry : table) {
        if (rest.empty())
            break;
        const size_t end = rest.find('\r');
        const BytesView line = rest.substr(0, end);
        rest = end == BytesView::npos ? BytesView() : rest.substr(end + 1);
        // The first "-" after the score's first byte ends the score, so a negative score
        // (which a hexadecimal one in the file gives) reads back as it was written; the name
        // may hold more of them.
        const size_t minus = line.find('-', 1);
        if (minus == BytesView::npos)
            return std::nullopt;
        const std::optional<int32_t> score = vb::CLng(line.substr(0, minus));
        if (!score)
            return std::nullopt;
        const BytesView name = line.substr(minus + 1);
        entry = { name.empty() ? Bytes(kDefaultHighScoreName) : Bytes(name), *score };
    }
    return table;
}

HighScoreTable LoadHighScores(const std::filesystem::path& file)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size > kMaxFileBytes)
        return defaultHighScores();
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return defaultHighScores();
    const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return defaultHighScores();
    return parseHighScores(bytes).value_or(defaultHighScores());
}

bool SaveHighScores(const std::filesystem::path& file, const HighScoreTable& table)
{
    return writeFileAtomically(file, highScoresText(table)).ok;
}

bool ScoresFile::SaveHighScores(const HighScoreTable& table)
{
    return kalvon::SaveHighScores(m_file, table);
}

} // namespace kalvon

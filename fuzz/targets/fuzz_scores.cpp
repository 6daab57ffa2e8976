// scores.ini: the loader gives what the parser gives (the default table for a damaged file),
// every rank has a name, and a table written back parses to the same table (names without
// their control characters, which the file cannot keep) and the same bytes.

#include "engine/store/scoresfile.h"
#include "harness/fuzzcheck.h"
#include "harness/fuzzinput.h"
#include "harness/scratch.h"

using namespace kalvon;

namespace {

HighScoreTable withStoredNames(HighScoreTable table)
{
    for (HighScoreEntry& entry : table) {
        std::erase_if(entry.Name, [](char c) { return byteCode(c) < 32; });
        if (entry.Name.empty())
            entry.Name = kDefaultHighScoreName;
    }
    return table;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const BytesView bytes = fuzz::asBytes(data, size);
    const std::optional<HighScoreTable> table = parseHighScores(bytes);

    const auto file = fuzz::scratchRoot() / "scores.ini";
    fuzz::writeBytes(file, bytes);
    FUZZ_CHECK(LoadHighScores(file) == table.value_or(defaultHighScores()));
    if (!table)
        return 0;

    for (const HighScoreEntry& entry : *table)
        FUZZ_CHECK(!entry.Name.empty());
    const Bytes written = highScoresText(*table);
    const std::optional<HighScoreTable> again = parseHighScores(written);
    FUZZ_CHECK_MSG(again == withStoredNames(*table), "the written file: " + fuzz::printable(written, 2000));
    FUZZ_CHECK(highScoresText(*again) == written);
    return 0;
}

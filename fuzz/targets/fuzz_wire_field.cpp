// Fields on the wire: a dump decodes exactly when it is 264 valid cells and encodes back to
// the same bytes; a difference decodes whole or not at all, into changes in range that encode
// back to it; the client's lenient reading keeps exactly the triples in range and agrees with
// the strict one on a good difference; and the changes between two fields turn one into the
// other.

#include "harness/fuzzcheck.h"
#include "harness/fuzzinput.h"
#include "net/wire/field.h"
#include "wirechecks.h"

using namespace kalvon;
using namespace kalvon::wire;

namespace {

void checkDump(BytesView bytes)
{
    bool valid = bytes.size() == kFieldDumpLength;
    for (char c : bytes)
        valid = valid && isWireCell(cellValue(c));
    const std::optional<FieldCells> field = decodeFieldDump(bytes);
    FUZZ_CHECK(field.has_value() == valid);
    if (field) {
        fuzz::checkField(*field);
        FUZZ_CHECK(encodeFieldDump(*field) == bytes);
    }
}

void checkDiff(BytesView bytes)
{
    const bool noChange = bytes == "S" || bytes == "T";
    const std::optional<std::vector<CellChange>> strict = decodeFieldDiff(bytes);
    const std::vector<CellChange> lenient = validFieldChanges(bytes);
    fuzz::checkChanges(lenient);
    FUZZ_CHECK(lenient.size() <= bytes.size() / 3);
    if (noChange) {
        FUZZ_CHECK(strict && strict->empty() && lenient.empty());
        return;
    }
    // Good exactly when it is whole triples, every one in range.
    const bool whole = !bytes.empty() && bytes.size() % 3 == 0;
    FUZZ_CHECK(strict.has_value() == (whole && lenient.size() == bytes.size() / 3));
    if (strict) {
        FUZZ_CHECK(*strict == lenient);
        FUZZ_CHECK(encodeFieldDiff(*strict) == bytes);
    }
    // What the lenient reading kept is a good difference of its own.
    const std::optional<std::vector<CellChange>> kept = decodeFieldDiff(encodeFieldDiff(lenient));
    FUZZ_CHECK(kept && *kept == lenient);
}

// A field whose cells come from the input: each byte a colour 0..21 or empty.
FieldCells fieldFrom(fuzz::FuzzInput& input)
{
    FieldCells field;
    for (int x = 0; x < kFieldColumns; ++x) {
        for (int y = 0; y < kFieldRows; ++y) {
            const int value = input.byte() % (kMaxWireColour + 2);
            field.set(x, y, value > kMaxWireColour ? kEmptyCell : value);
        }
    }
    return field;
}

void checkDifferences(BytesView bytes)
{
    fuzz::FuzzInput input(bytes);
    const FieldCells sent = fieldFrom(input);
    const FieldCells now = fieldFrom(input);
    const std::vector<CellChange> changes = diffFields(sent, now);
    fuzz::checkChanges(changes);
    FieldCells applied = sent;
    applyChanges(applied, changes);
    FUZZ_CHECK(applied == now);
    // Rows outer, columns inner, each cell once.
    for (size_t i = 1; i < changes.size(); ++i) {
        const CellChange& a = changes[i - 1];
        const CellChange& b = changes[i];
        FUZZ_CHECK(a.y < b.y || (a.y == b.y && a.x < b.x));
    }
    // Through the wire and back.
    const std::optional<std::vector<CellChange>> decoded = decodeFieldDiff(encodeFieldDiff(changes));
    FUZZ_CHECK(decoded && *decoded == changes);
    FUZZ_CHECK(diffFields(now, now).empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const BytesView bytes = fuzz::asBytes(data, size);
    checkDump(bytes);
    checkDiff(bytes);
    checkDifferences(bytes);
    return 0;
}

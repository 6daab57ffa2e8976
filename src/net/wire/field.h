#pragma once
// Fields on the wire. A FieldDump is the 264 CellChars of a 12 x 22 field, column by column
// (column 0 rows 0-21, then column 1, ...). A FieldDiff is the changed cells as triples
// CoordChar(x), CoordChar(y), CellChar, or "S" (the server also takes "T") for no change.

#include "common/bytes.h"
#include "engine/types.h"
#include "net/wire/encodings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace kalvon::wire {

inline constexpr std::size_t kFieldDumpLength = kFieldColumns * kFieldRows;

// A field as the wire sees it: each cell empty (kEmptyCell) or a colour 0..21.
class FieldCells {
public:
    FieldCells() { clear(); }

    int at(int x, int y) const { return m_cells[index(x, y)]; }
    void set(int x, int y, int cell) { m_cells[index(x, y)] = static_cast<int8_t>(cell); }
    void clear() { m_cells.fill(kEmptyCell); }

    static bool contains(int x, int y) { return x >= 0 && x < kFieldColumns && y >= 0 && y < kFieldRows; }

    bool operator==(const FieldCells&) const = default;

private:
    static std::size_t index(int x, int y) { return static_cast<std::size_t>(x * kFieldRows + y); }
    std::array<int8_t, kFieldDumpLength> m_cells;
};

struct CellChange {
    int x = 0;
    int y = 0;
    int cell = kEmptyCell; // a colour 0..21 or kEmptyCell

    bool operator==(const CellChange&) const = default;
};

Bytes encodeFieldDump(const FieldCells& field);
// Nothing unless the text is exactly 264 bytes, each a colour 0..21 or the empty cell.
std::optional<FieldCells> decodeFieldDump(BytesView dump);

// "S" for no change, else the triples in the given order.
Bytes encodeFieldDiff(const std::vector<CellChange>& changes);
// The same diff appended to `out` (a line being built, without a copy of the diff).
void appendFieldDiff(Bytes& out, const std::vector<CellChange>& changes);
// The changes of a diff: empty for "S" or "T"; nothing when the length is not a multiple of
// three or any triple is out of range (column 0..11, row 0..21, colour 0..21 or empty), so a
// bad diff is never applied in part.
std::optional<std::vector<CellChange>> decodeFieldDiff(BytesView diff);

// The changes of a relayed diff as a client reads them: every complete triple in range, the
// others and an incomplete rest skipped; empty for "S" or "T".
std::vector<CellChange> validFieldChanges(BytesView diff);

// The cells of `now` that differ from `sent`, rows outer and columns inner, as the client
// reports its field.
std::vector<CellChange> diffFields(const FieldCells& sent, const FieldCells& now);

void applyChanges(FieldCells& field, const std::vector<CellChange>& changes);

} // namespace kalvon::wire

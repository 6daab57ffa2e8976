#include "net/wire/field.h"

namespace kalvon::wire {

namespace {

// The triple at `pos` (three bytes must be there), nothing when it is out of range.
std::optional<CellChange> tripleAt(BytesView diff, std::size_t pos)
{
    const CellChange change{ coordValue(diff[pos]), coordValue(diff[pos + 1]), cellValue(diff[pos + 2]) };
    if (!FieldCells::contains(change.x, change.y) || !isWireCell(change.cell))
        return std::nullopt;
    return change;
}

} // namespace

Bytes encodeFieldDump(const FieldCells& field)
{
    Bytes dump;
    dump.reserve(kFieldDumpLength);
    for (int x = 0; x < kFieldColumns; ++x) {
        for (int y = 0; y < kFieldRows; ++y)
            dump += CellChar(field.at(x, y));
    }
    return dump;
}

std::optional<FieldCells> decodeFieldDump(BytesView dump)
{
    if (dump.size() != kFieldDumpLength)
        return std::nullopt;
    FieldCells field;
    std::size_t pos = 0;
    for (int x = 0; x < kFieldColumns; ++x) {
        for (int y = 0; y < kFieldRows; ++y) {
            const int cell = cellValue(dump[pos++]);
            if (!isWireCell(cell))
                return std::nullopt;
            field.set(x, y, cell);
        }
    }
    return field;
}

Bytes encodeFieldDiff(const std::vector<CellChange>& changes)
{
    Bytes diff;
    appendFieldDiff(diff, changes);
    return diff;
}

void appendFieldDiff(Bytes& out, const std::vector<CellChange>& changes)
{
    if (changes.empty()) {
        out += 'S';
        return;
    }
    out.reserve(out.size() + changes.size() * 3);
    for (const CellChange& change : changes) {
        out += CoordChar(change.x);
        out += CoordChar(change.y);
        out += CellChar(change.cell);
    }
}

std::optional<std::vector<CellChange>> decodeFieldDiff(BytesView diff)
{
    std::vector<CellChange> changes;
    if (diff == "S" || diff == "T")
        return changes;
    if (diff.empty() || diff.size() % 3 != 0)
        return std::nullopt;
    changes.reserve(diff.size() / 3);
    for (std::size_t pos = 0; pos < diff.size(); pos += 3) {
        const std::optional<CellChange> change = tripleAt(diff, pos);
        if (!change)
            return std::nullopt;
        changes.push_back(*change);
    }
    return changes;
}

std::vector<CellChange> validFieldChanges(BytesView diff)
{
    std::vector<CellChange> changes;
    if (diff == "S" || diff == "T")
        return changes;
    for (std::size_t pos = 0; pos + 3 <= diff.size(); pos += 3) {
        if (const std::optional<CellChange> change = tripleAt(diff, pos))
            changes.push_back(*change);
    }
    return changes;
}

std::vector<CellChange> diffFields(const FieldCells& sent, const FieldCells& now)
{
    std::vector<CellChange> changes;
    for (int y = 0; y < kFieldRows; ++y) {
        for (int x = 0; x < kFieldColumns; ++x) {
            if (sent.at(x, y) != now.at(x, y))
                changes.push_back({ x, y, now.at(x, y) });
        }
    }
    return changes;
}

void applyChanges(FieldCells& field, const std::vector<CellChange>& changes)
{
    for (const CellChange& change : changes)
        field.set(change.x, change.y, change.cell);
}

} // namespace kalvon::wire

#include "boardcells.h"

namespace kalvon::wire {

void PrintTo(const FieldCells& field, std::ostream* out)
{
    constexpr BytesView kColours = "0123456789ABCDEFGHIJKL";
    for (int y = 0; y < kFieldRows; ++y) {
        *out << '\n';
        for (int x = 0; x < kFieldColumns; ++x) {
            const int cell = field.at(x, y);
            *out << (cell >= 0 && cell <= kMaxWireColour ? kColours[static_cast<std::size_t>(cell)] : '.');
        }
    }
}

} // namespace kalvon::wire

namespace kalvon::testing {

wire::FieldCells boardCells(const OpponentBoards& boards, int board)
{
    wire::FieldCells cells;
    for (int x = 0; x < kFieldColumns; ++x) {
        for (int y = 0; y < kFieldRows; ++y) {
            if (boards.InetFieldOccupied[board][x][y] != kCellEmpty)
                cells.set(x, y, boards.InetFieldColor[board][x][y]);
        }
    }
    return cells;
}

} // namespace kalvon::testing

#pragma once
// Fields in the client tests: an opponent board's cells as the wire sees them, and a field in
// failure messages.

#include "engine/opponentboards.h"
#include "net/wire/field.h"

#include <ostream>

namespace kalvon::wire {
// Failure messages show a field as 22 rows of 12 cells ('.' empty, 0-9 and A-L colours).
void PrintTo(const FieldCells& field, std::ostream* out);
} // namespace kalvon::wire

namespace kalvon::testing {

wire::FieldCells boardCells(const OpponentBoards& boards, int board);

} // namespace kalvon::testing

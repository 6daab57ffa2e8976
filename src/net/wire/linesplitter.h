#pragma once
// Cuts what arrives on one connection into CR LF lines. TCP keeps no write boundaries, so the
// unterminated tail of an arrival is kept and completed by the next one (a CR at the end of
// one arrival and its LF at the start of the next end a line too). Empty lines are dropped.
// A line longer than kMaxLineLength is dropped up to its CR LF, so a peer that never ends its
// line holds at most that much memory.

#include "common/bytes.h"

#include <cstddef>
#include <vector>

namespace kalvon::wire {

class LineSplitter {
public:
    static constexpr std::size_t kMaxLineLength = 64 * 1024;

    // The complete lines of this arrival, without their CR LF, in order.
    std::vector<Bytes> feed(BytesView data);
    // The same lines written into the first elements of `lines`, reusing the strings already
    // there (a caller that keeps the vector from one arrival to the next allocates nothing for
    // lines no longer than before); returns how many were written. Elements after them are
    // left as they were.
    std::size_t feed(BytesView data, std::vector<Bytes>& lines);

    // Forgets the kept tail (a new connection).
    void reset();

    std::size_t pendingSize() const { return m_tail.size(); }

private:
    // Skips bytes of an overlong line up to its CR LF; returns where the next line starts, or
    // data.size() while still skipping.
    std::size_t skipOverlong(BytesView data);

    Bytes m_tail;
    bool m_skipping = false;
    bool m_skipEndsWithCr = false;
};

} // namespace kalvon::wire

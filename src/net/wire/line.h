#pragma once
// A message line: the code byte, then ";" and the payload when there is one. On the wire each
// line ends with CR LF; the senders append it. Bytes 128-255 pass unchanged.

#include "common/bytes.h"

#include <optional>

namespace kalvon::wire {

inline constexpr BytesView kLineEnd = "\r\n";

// A received line cut into its code and payload, before the payload is decoded.
struct RawLine {
    char code = 0;
    // The text after the first ";" of the line; empty when the line has none. Only the first
    // ";" separates, so a payload may hold further ones.
    BytesView payload;
    bool hasPayload = false;
};

// The code and payload of a received line (without its CR LF); nothing for an empty line.
std::optional<RawLine> parseLine(BytesView line);

// "G": a message without payload.
Bytes makeLine(char code);
// "J;" + payload; the ";" is written even for an empty payload.
Bytes makeLine(char code, BytesView payload);

// The line with its CR LF, ready to write.
Bytes framed(BytesView line);

// A message that is its code alone. A receiver ignores any payload such a line carries.
template <char Code> struct NoPayload {
    static constexpr char code = Code;
    bool operator==(const NoPayload&) const = default;
};

template <char Code> Bytes encode(NoPayload<Code>)
{
    return makeLine(Code);
}

} // namespace kalvon::wire

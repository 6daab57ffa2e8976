#pragma once
// A message line: the code byte, then ";" and the payload when there is one. On the wire each
// line ends with CR LF; the senders append it. Bytes 128-255 pass unchanged.

#include "common/bytes.h"

#include <optional>

namespace kalvon::wire {

inline constexpr BytesView kLineEnd = "\r\n";

struct Message {
    char code = 0;
    // The text after the first ";" of the line; empty when the line has none. Only the first
    // ";" separates, so a payload may hold further ones.
    BytesView payload;
    bool hasPayload = false;
};

// The code and payload of a received line (without its CR LF); nothing for an empty line.
std::optional<Message> parseLine(BytesView line);

// "G": a message without payload.
Bytes makeLine(char code);
// "J;" + payload; the ";" is written even for an empty payload.
Bytes makeLine(char code, BytesView payload);

// The line with its CR LF, ready to write.
Bytes framed(BytesView line);

} // namespace kalvon::wire

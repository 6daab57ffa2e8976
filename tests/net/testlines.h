#pragma once
// Lines in tests: their printable form for failure messages, the check that a peer's next
// line is the one expected, and lines the encoders cannot write.

#include "common/bytes.h"

#include <gtest/gtest.h>
#include <string>

namespace kalvon::testing {

// How long a test waits for a line, a close or another event that should come: far beyond
// what a busy machine needs, it only bounds a failing test.
inline constexpr int kEventWaitMs = 20000;

// The printable form of a line for failure messages: bytes outside ASCII as \xNN.
std::string show(BytesView line);

// A line for hostile peers: the code, ";" and the payload as given.
Bytes msg(char code, BytesView payload);
// PlayerChar of n, as a one-byte text.
Bytes pc(int n);

#define EXPECT_LINE(client, expected)                                                                        \
    do {                                                                                                     \
        const auto got_ = (client)->nextLine();                                                              \
        EXPECT_EQ(show(got_.value_or("<nothing>")), show(expected));                                         \
    } while (false)

} // namespace kalvon::testing

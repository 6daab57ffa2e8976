#include "testlines.h"

#include "net/wire/encodings.h"
#include "net/wire/line.h"

#include <cstdio>

namespace kalvon::testing {

std::string show(BytesView line)
{
    std::string out;
    for (char c : line) {
        const int code = byteCode(c);
        if (code >= 32 && code < 127 && c != '\\') {
            out += c;
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02x", code);
            out += buffer;
        }
    }
    return out;
}

Bytes msg(char code, BytesView payload)
{
    return wire::makeLine(code, payload);
}

Bytes pc(int n)
{
    return Bytes(1, wire::PlayerChar(n));
}

} // namespace kalvon::testing

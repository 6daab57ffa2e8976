#include "common/bytes.h"

namespace kalvon {

unsigned char upperByte(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<unsigned char>(c - 32);
    switch (c) {
    case 0x9A: return 0x8A; // š
    case 0x9C: return 0x8C; // œ
    case 0x9E: return 0x8E; // ž
    case 0xFF: return 0x9F; // ÿ
    default: return c;
    }
}

unsigned char lowerByte(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
    }
}

namespace {
template <typename Map> Bytes mapBytes(BytesView text, Map map)
{
    Bytes out(text);
    for (char& c : out)
        c = static_cast<char>(map(static_cast<unsigned char>(c)));
    return out;
}
} // namespace

Bytes toUpper(BytesView text)
{
    return mapBytes(text, upperByte);
}

Bytes toLower(BytesView text)
{
    return mapBytes(text, lowerByte);
}

int compareNoCase(BytesView a, BytesView b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int ca = upperByte(static_cast<unsigned char>(a[i]));
        const int cb = upperByte(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool equalsNoCase(BytesView a, BytesView b)
{
    return a.size() == b.size() && compareNoCase(a, b) == 0;
}

BytesView trimBlanks(BytesView text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

} // namespace kalvon

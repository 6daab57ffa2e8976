#include "common/cp1252.h"

#include <array>

namespace kalvon {

namespace {

// Code points of bytes 0x80..0x9F; the other bytes are their own code point. The five bytes
// the code page leaves undefined keep their own value (C1 controls).
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

} // namespace

char16_t cp1252ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

std::optional<unsigned char> unicodeToCp1252(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<unsigned char>(codePoint);
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == codePoint)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

std::u16string decodeCp1252(BytesView bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        out.push_back(cp1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

Bytes encodeCp1252(std::u16string_view text)
{
    Bytes out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        // A surrogate pair is one character, and the code page has none above U+FFFF.
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00
            && text[i + 1] <= 0xDFFF) {
            ++i;
            out.push_back('?');
            continue;
        }
        const auto byte = unicodeToCp1252(cp);
        out.push_back(byte ? static_cast<char>(*byte) : '?');
    }
    return out;
}

std::string cp1252ToUtf8(BytesView bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const char16_t cp = cp1252ToUnicode(static_cast<unsigned char>(c));
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

Bytes utf8ToCp1252(std::string_view utf8)
{
    Bytes out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        size_t length = lead < 0x80 ? 1
            : (lead >> 5) == 0x6    ? 2
            : (lead >> 4) == 0xE    ? 3
            : (lead >> 3) == 0x1E   ? 4
                                    : 0;
        char32_t cp = 0;
        bool valid = length != 0 && i + length <= utf8.size();
        if (valid) {
            cp = length == 1 ? lead : lead & (0x7F >> length);
            for (size_t k = 1; k < length; ++k) {
                const auto next = static_cast<unsigned char>(utf8[i + k]);
                if ((next & 0xC0) != 0x80) {
                    valid = false;
                    break;
                }
                cp = (cp << 6) | (next & 0x3F);
            }
        }
        if (!valid) {
            out.push_back('?');
            ++i;
            continue;
        }
        const auto byte = unicodeToCp1252(cp);
        out.push_back(byte ? static_cast<char>(*byte) : '?');
        i += length;
    }
    return out;
}

} // namespace kalvon

#include "common/vbconv.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace kalvon::vb {

double roundHalfEven(double value, int decimals)
{
    // Powers of ten up to 1e22 are exact doubles, so the scaling below adds only the one
    // rounding of the product, which fma recovers exactly.
    static constexpr std::array<double, 23> kPowers = { 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9,
        1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22 };
    if (decimals < 0)
        decimals = 0;
    if (decimals >= static_cast<int>(kPowers.size()))
        return value;
    const double scale = kPowers[static_cast<size_t>(decimals)];
    // Rounding half to even is symmetric, and on the magnitude every step below is exact.
    const double magnitude = std::fabs(value);
    const double scaled = magnitude * scale;
    // At 2^52 and beyond every double is a whole number: nothing left to round.
    if (!std::isfinite(scaled) || scaled >= 4503599627370496.0)
        return value;
    // The exact product is scaled + error. Compare its fraction with one half exactly:
    // `fromHalf` is a multiple of the product's last place unless it is zero, and the error is
    // below that place, so the error decides only where the rounded product is a half.
    const double error = std::fma(magnitude, scale, -scaled);
    const double below = std::floor(scaled);
    const double fromHalf = (scaled - below) - 0.5;
    double rounded = below;
    if (fromHalf > 0 || (fromHalf == 0 && error > 0))
        rounded = below + 1;
    else if (fromHalf == 0 && error == 0 && std::fmod(below, 2.0) != 0)
        rounded = below + 1; // an exact half: to the even neighbour
    if (rounded == 0)
        return 0.0; // no negative zero
    return value < 0 ? -rounded / scale : rounded / scale;
}

namespace {

template <typename Integer> std::optional<Integer> roundedInRange(double value)
{
    if (std::isnan(value))
        return std::nullopt;
    const double rounded = roundHalfEven(value);
    if (rounded < static_cast<double>(std::numeric_limits<Integer>::min())
        || rounded > static_cast<double>(std::numeric_limits<Integer>::max()))
        return std::nullopt;
    return static_cast<Integer>(rounded);
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexDigitValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Walks a text for the number readers. Val ignores blanks, tabs and line feeds anywhere in the
// text; the strict readers ignore nothing (their text arrives trimmed).
class Cursor {
public:
    Cursor(BytesView text, bool skipBlanks)
        : m_text(text)
        , m_skipBlanks(skipBlanks)
    {
    }

    // The next character that counts, or 0 at the end.
    char peek()
    {
        skip();
        return m_pos < m_text.size() ? m_text[m_pos] : '\0';
    }
    void advance() { ++m_pos; }
    bool atEnd()
    {
        skip();
        return m_pos >= m_text.size();
    }
    size_t position() const { return m_pos; }
    void rewind(size_t position) { m_pos = position; }

private:
    void skip()
    {
        while (m_skipBlanks && m_pos < m_text.size()
            && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' || m_text[m_pos] == '\n'))
            ++m_pos;
    }

    BytesView m_text;
    bool m_skipBlanks;
    size_t m_pos = 0;
};

// "&H" hexadecimal or "&O" octal digits after the prefix. VB gives such a number the smallest
// signed type its bits fit: up to 0xFFFF a 16-bit value ("&HFFFF" is -1), else 32 bits.
// `whole` asks for every remaining character to be a digit; otherwise reading stops at the
// first other character. Nothing when there are no digits (or, for `whole`, a stray
// character or more than 32 bits); a prefix reader keeps the digits that fit.
std::optional<double> readRadixNumber(Cursor& cursor, int radix, bool whole)
{
    uint64_t value = 0;
    bool any = false;
    while (true) {
        const int digit = hexDigitValue(cursor.peek());
        if (digit < 0 || digit >= radix)
            break;
        const uint64_t next = value * static_cast<uint64_t>(radix) + static_cast<uint64_t>(digit);
        if (next > 0xFFFFFFFFu) {
            if (whole)
                return std::nullopt;
            break;
        }
        value = next;
        any = true;
        cursor.advance();
    }
    if (!any || (whole && !cursor.atEnd()))
        return std::nullopt;
    if (value <= 0xFFFF)
        return static_cast<int16_t>(static_cast<uint16_t>(value));
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

// A decimal number: optional sign, digits with at most one ".", optional exponent ("E" or "D",
// optional sign, digits). Nothing when there is no digit, when `whole` is asked and text
// follows, or when the value is beyond a double's range.
std::optional<double> readDecimalNumber(Cursor& cursor, bool whole)
{
    std::string number; // in the form std::from_chars reads, whatever the locale
    if (cursor.peek() == '+' || cursor.peek() == '-') {
        if (cursor.peek() == '-')
            number.push_back('-');
        cursor.advance();
    }
    bool digits = false;
    bool point = false;
    for (char c = cursor.peek(); isDigit(c) || (c == '.' && !point); c = cursor.peek()) {
        digits = digits || isDigit(c);
        point = point || c == '.';
        number.push_back(c);
        cursor.advance();
    }
    if (!digits)
        return std::nullopt;

    const char marker = cursor.peek();
    if (marker == 'E' || marker == 'e' || marker == 'D' || marker == 'd') {
        const size_t before = cursor.position();
        std::string exponent = "e";
        cursor.advance();
        if (cursor.peek() == '+' || cursor.peek() == '-') {
            exponent.push_back(cursor.peek());
            cursor.advance();
        }
        bool exponentDigits = false;
        while (isDigit(cursor.peek())) {
            exponent.push_back(cursor.peek());
            exponentDigits = true;
            cursor.advance();
        }
        if (exponentDigits)
            number += exponent;
        else
            cursor.rewind(before); // "1E" is the number 1 followed by text
    }
    if (whole && !cursor.atEnd())
        return std::nullopt;

    double value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec != std::errc() || end != number.data() + number.size())
        return std::nullopt;
    return value;
}

std::optional<double> readNumber(Cursor& cursor, bool whole)
{
    if (cursor.peek() == '&') {
        const size_t before = cursor.position();
        cursor.advance();
        const char kind = cursor.peek();
        if (kind == 'H' || kind == 'h' || kind == 'O' || kind == 'o') {
            cursor.advance();
            return readRadixNumber(cursor, kind == 'H' || kind == 'h' ? 16 : 8, whole);
        }
        cursor.rewind(before);
    }
    return readDecimalNumber(cursor, whole);
}

} // namespace

std::optional<int16_t> CInt(double value)
{
    return roundedInRange<int16_t>(value);
}

std::optional<int32_t> CLng(double value)
{
    return roundedInRange<int32_t>(value);
}

double Int(double value)
{
    return std::floor(value);
}

std::optional<double> toNumber(BytesView text)
{
    Cursor cursor(trimBlanks(text), false);
    return readNumber(cursor, true);
}

bool IsNumeric(BytesView text)
{
    return toNumber(text).has_value();
}

double Val(BytesView text)
{
    // A number beyond a double's range reads as 0 here (VB would stop with "Overflow").
    Cursor cursor(text, true);
    return readNumber(cursor, false).value_or(0.0);
}

std::optional<int16_t> CInt(BytesView text)
{
    const auto number = toNumber(text);
    return number ? CInt(*number) : std::nullopt;
}

std::optional<int32_t> CLng(BytesView text)
{
    const auto number = toNumber(text);
    return number ? CLng(*number) : std::nullopt;
}

Bytes formatGeneral(double value)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Inf" : "Inf";
    if (value == 0)
        return "0"; // also for -0

    constexpr int kDigits = 15;
    // d.dddddddddddddde±x: the value rounded to 15 significant digits, and its exponent.
    std::array<char, 32> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
        std::chars_format::scientific, kDigits - 1);
    (void)ec; // 32 characters always hold 15 digits and an exponent
    const BytesView scientific(buffer.data(), static_cast<size_t>(end - buffer.data()));
    const size_t e = scientific.find('e');
    Bytes digits;
    for (char c : scientific.substr(0, e)) {
        if (c != '.')
            digits.push_back(c);
    }
    int exponent = 0;
    const BytesView exponentText = scientific.substr(e + 1);
    std::from_chars(
        exponentText.data() + (exponentText[0] == '+'), exponentText.data() + exponentText.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    Bytes out = value < 0 ? "-" : "";
    if (exponent >= -4 && exponent < kDigits) {
        // Fixed form, as printf's %G chooses it.
        if (exponent < 0) {
            out += "0.";
            out.append(static_cast<size_t>(-exponent - 1), '0');
            out += digits;
        } else {
            const size_t whole = static_cast<size_t>(exponent) + 1;
            if (digits.size() <= whole) {
                out += digits;
                out.append(whole - digits.size(), '0');
            } else {
                out += digits.substr(0, whole);
                out += '.';
                out += digits.substr(whole);
            }
        }
        return out;
    }
    out += digits[0];
    if (digits.size() > 1) {
        out += '.';
        out += digits.substr(1);
    }
    out += exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10)
        out += '0';
    out += formatInt(magnitude);
    return out;
}

Bytes formatInt(int64_t value)
{
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return Bytes(buffer.data(), result.ptr);
}

} // namespace kalvon::vb

#include "harness/fuzzcheck.h"

#include <cstdio>
#include <cstdlib>

namespace kalvon::fuzz {

void failCheck(const char* condition, const char* file, int line, const std::string& detail)
{
    std::fprintf(stderr, "\nInvariant failed: %s\n  at %s:%d\n", condition, file, line);
    if (!detail.empty())
        std::fprintf(stderr, "  %s\n", detail.c_str());
    std::fflush(stderr);
    std::abort();
}

std::string printable(std::string_view bytes, size_t limit)
{
    static const char hex[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < bytes.size() && i < limit; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c >= 32 && c < 127 && c != '\\') {
            text += char(c);
        } else {
            text += "\\x";
            text += hex[c >> 4];
            text += hex[c & 15];
        }
    }
    if (bytes.size() > limit)
        text += "... (" + std::to_string(bytes.size()) + " bytes)";
    return text;
}

} // namespace kalvon::fuzz

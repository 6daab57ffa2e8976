#pragma once
// Invariant checks of the fuzz targets. A failed check prints what failed and aborts, so
// libFuzzer keeps the input as a crash and the replay driver names the input that failed.

#include <string>
#include <string_view>

namespace kalvon::fuzz {

[[noreturn]] void failCheck(const char* condition, const char* file, int line, const std::string& detail);

// A printable form of bytes for failure messages: printable ASCII as it is, others as \xNN,
// cut after `limit` bytes.
std::string printable(std::string_view bytes, size_t limit = 200);

} // namespace kalvon::fuzz

// Marks an invariant check that walks much state after every step: libFuzzer's coverage is
// left out of it, since its branches are no paths of the code under test and, counted for
// every cell of a field after every step, they cost more than the step itself.
#if defined(__clang__)
#define FUZZ_UNCOUNTED __attribute__((no_sanitize("coverage")))
#else
#define FUZZ_UNCOUNTED
#endif

#define FUZZ_CHECK(condition)                                                                                \
    ((condition) ? void() : ::kalvon::fuzz::failCheck(#condition, __FILE__, __LINE__, {}))
#define FUZZ_CHECK_MSG(condition, detail)                                                                    \
    ((condition) ? void() : ::kalvon::fuzz::failCheck(#condition, __FILE__, __LINE__, (detail)))

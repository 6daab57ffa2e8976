#pragma once
// The figures a soak run reports: percentiles of a sample and the process's resident memory.

#include <cstdint>
#include <vector>

namespace kalvon::testing {

// The nearest-rank percentile (0 < percent <= 100) of the values; 0 for none.
int64_t percentile(std::vector<int64_t> values, double percent);

// This process's resident set (VmRSS of /proc/self/status) in KiB; 0 when unknown.
int64_t residentKiB();

} // namespace kalvon::testing

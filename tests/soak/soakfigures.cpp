#include "soakfigures.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>

namespace kalvon::testing {

int64_t percentile(std::vector<int64_t> values, double percent)
{
    if (values.empty())
        return 0;
    const auto rank
        = static_cast<std::size_t>(std::ceil(percent / 100.0 * static_cast<double>(values.size())));
    const std::size_t at = std::clamp<std::size_t>(rank, 1, values.size()) - 1;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(at), values.end());
    return values[at];
}

int64_t residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            int64_t kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

} // namespace kalvon::testing

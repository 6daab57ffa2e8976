#pragma once
// Writing a file whole: the bytes go to a temporary file in the same folder, are flushed to
// disk, and the temporary file is renamed over the old one. A failure at any step leaves the
// old file as it was and removes the temporary file. The new file keeps the old one's owner and
// permission bits; a link is written through to the file it names.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace kalvon {

struct AtomicWriteResult {
    bool ok = false;
    std::string error; // the system's message when not ok
};

[[nodiscard]] AtomicWriteResult writeFileAtomically(
    const std::filesystem::path& file, std::string_view bytes);

// Test seam: when set, called before each step ("open", "write", "sync", "rename"); returning
// false makes that step fail as a full disk would. Tests restore it to nullptr.
using AtomicWriteFault = std::function<bool(std::string_view step)>;
void setAtomicWriteFaultForTesting(AtomicWriteFault fault);

} // namespace kalvon

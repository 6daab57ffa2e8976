#pragma once
// The host's ban list: dotted IPv4 addresses, checked at login. Stored in banlist.txt, one
// address a line. Reading follows the file's historic field rules (an entry ends at a "," or
// the line end, surrounding double quotes are removed, empty entries skipped); writing puts
// each entry on a CR LF line and replaces the file whole.

#include "common/atomicfile.h"
#include "common/bytes.h"

#include <filesystem>
#include <vector>

namespace kalvon {

class BanList {
public:
    // Replaces the entries with those of the file; a missing or unreadable file gives none.
    void LoadBanList(const std::filesystem::path& file);
    [[nodiscard]] AtomicWriteResult SaveBanList(const std::filesystem::path& file) const;

    static std::vector<Bytes> parse(BytesView text);

    // Exact comparison, as the socket reports addresses.
    bool contains(BytesView address) const;
    void add(BytesView address);
    // Removes entry `row` (0-based); does nothing for a row that does not exist.
    void removeAt(std::size_t row);

    const std::vector<Bytes>& entries() const { return m_entries; }

private:
    std::vector<Bytes> m_entries;
};

} // namespace kalvon

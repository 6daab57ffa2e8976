#pragma once
// Files for the store's tests: a fresh folder per test, whole-file reads and writes, fixtures.

#include "common/bytes.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace kalvon::testing {

class TempFolder {
public:
    TempFolder()
    {
        std::random_device random;
        m_path = std::filesystem::temp_directory_path() / ("kalvon-store-test-" + std::to_string(random()));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() { std::filesystem::remove_all(m_path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path file(const char* name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

inline Bytes readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::filesystem::path& file, BytesView bytes)
{
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline Bytes settingsFixture(const char* name)
{
    return readBytes(std::filesystem::path(KALVON_FIXTURES_DIR) / "settings" / name);
}

} // namespace kalvon::testing

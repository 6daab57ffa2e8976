#pragma once
// Reading a fuzz input as a small program of choices: bytes, numbers in a range and flags are
// taken from its front; an exhausted input gives zeros, so every input is a valid program.

#include "common/bytes.h"

#include <cstddef>
#include <cstdint>

namespace kalvon::fuzz {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size)
        : m_data(reinterpret_cast<const char*>(data), size)
    {
    }
    explicit FuzzInput(BytesView data)
        : m_data(data)
    {
    }

    bool empty() const { return m_data.empty(); }
    size_t size() const { return m_data.size(); }

    uint8_t byte()
    {
        if (m_data.empty())
            return 0;
        const auto value = static_cast<uint8_t>(m_data.front());
        m_data.remove_prefix(1);
        return value;
    }
    // A number in [0, count), count at most 65536.
    size_t pick(size_t count)
    {
        if (count <= 1)
            return 0;
        const size_t raw = count <= 256 ? byte() : size_t(byte()) << 8 | byte();
        return raw % count;
    }
    // A number in [low, high] (a span of at most 65536).
    int between(int low, int high) { return low + int(pick(size_t(high - low) + 1)); }
    bool flag() { return byte() & 1; }
    // Up to `count` bytes.
    BytesView bytes(size_t count)
    {
        const BytesView taken = m_data.substr(0, count);
        m_data.remove_prefix(taken.size());
        return taken;
    }
    // A length-prefixed piece: one byte of length, then that many bytes.
    BytesView piece() { return bytes(byte()); }
    BytesView rest() { return bytes(m_data.size()); }

private:
    BytesView m_data;
};

inline BytesView asBytes(const uint8_t* data, size_t size)
{
    return BytesView(reinterpret_cast<const char*>(data), size);
}

} // namespace kalvon::fuzz

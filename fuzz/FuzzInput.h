// Takes typed values off the front of a fuzzer's input, so one input drives coordinates, sizes
// and flags; the rest is left as a byte payload. Edge values (INT_MIN, INT_MAX, 0, -1) are
// favoured, since that is where clipping and size arithmetic break.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace zvx::fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint8_t Byte()
    {
        if (m_size == 0) return 0;
        const std::uint8_t b = *m_data;
        ++m_data;
        --m_size;
        return b;
    }

    std::uint32_t Word()
    {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = (v << 8) | Byte();
        return v;
    }

    // A coordinate: small most of the time, an edge value or anything at all otherwise.
    int Coordinate(int small)
    {
        switch (Byte() % 8) {
        case 0: return INT_MIN;
        case 1: return INT_MAX;
        case 2: return static_cast<int>(Word());
        case 3: return -static_cast<int>(Byte() % (small + 1));
        default: return static_cast<int>(Byte() % (2 * small + 1)) - small / 2;
        }
    }

    // An image side from 1 to limit.
    int Side(int limit) { return 1 + Byte() % limit; }

    const std::uint8_t* Rest() const { return m_data; }
    std::size_t RestSize() const { return m_size; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

}  // namespace zvx::fuzz

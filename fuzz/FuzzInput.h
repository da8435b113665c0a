// Takes typed values off the front of a fuzzer's input, so one input drives coordinates, sizes
// and flags; the rest is left as a byte payload. Edge values (INT_MIN, INT_MAX, 0, -1) are
// favoured, since that is where clipping and size arithmetic break.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

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

    // A position at most span away from base, in the int range (so a run from base to it is
    // short however far out base lies).
    int Near(int base, int span)
    {
        const long long offset = static_cast<long long>(Word() % (2u * static_cast<unsigned>(span) + 1u)) - span;
        const long long v = static_cast<long long>(base) + offset;
        return static_cast<int>(v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : v);
    }

    // An opacity or a factor: the edges (0, 1, NaN, the infinities, the smallest and largest
    // doubles) as often as ordinary values, or any bit pattern at all.
    double Real()
    {
        switch (Byte() % 12) {
        case 0: return 0.0;
        case 1: return 1.0;
        case 2: return std::numeric_limits<double>::quiet_NaN();
        case 3: return std::numeric_limits<double>::infinity();
        case 4: return -std::numeric_limits<double>::infinity();
        case 5: return std::numeric_limits<double>::denorm_min();
        case 6: return std::numeric_limits<double>::max();
        case 7: return -0.5;
        case 8: {
            const std::uint64_t bits = (static_cast<std::uint64_t>(Word()) << 32) | Word();
            double v;
            std::memcpy(&v, &bits, sizeof v);
            return v;
        }
        default: return (Byte() % 201) / 100.0;  // 0 to 2 in hundredths
        }
    }

    const std::uint8_t* Rest() const { return m_data; }
    std::size_t RestSize() const { return m_size; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

}  // namespace zvx::fuzz

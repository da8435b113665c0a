// RIFF WAVE images built in memory, a chunk at a time, for the sound tests.
#pragma once

#include <cstdint>
#include <string>

namespace zvx::test::wave {

// `value` as `bytes` little-endian bytes.
inline std::string Le(std::uint32_t value, int bytes)
{
    return bytes == 0 ? std::string() : static_cast<char>(value & 0xFF) + Le(value >> 8, bytes - 1);
}

// Padded to an even length unless told not to.
inline std::string Chunk(const char* id, const std::string& body, bool pad = true)
{
    return id + Le(static_cast<std::uint32_t>(body.size()), 4) + body + std::string(pad ? body.size() % 2 : 0, '\0');
}

inline std::string Format(std::uint32_t tag, std::uint32_t channels, std::uint32_t rate, std::uint32_t bits)
{
    return Chunk("fmt ", Le(tag, 2) + Le(channels, 2) + Le(rate, 4) + Le(rate * channels * bits / 8, 4) +
                             Le(channels * bits / 8, 2) + Le(bits, 2));
}

// The RIFF size is the true one, give or take `off`.
inline std::string Riff(const std::string& chunks, int off = 0)
{
    return "RIFF" + Le(static_cast<std::uint32_t>(4 + static_cast<int>(chunks.size()) + off), 4) + "WAVE" + chunks;
}

}  // namespace zvx::test::wave

// RIFF WAVE images built in memory, a chunk at a time, for the sound tests.
#pragma once

#include <cstdint>
#include <string>

namespace zvx::test::wave {

inline std::string Le(std::uint32_t value, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

// Padded to an even length unless told not to.
inline std::string Chunk(const char* id, const std::string& body, bool pad = true)
{
    return id + Le(static_cast<std::uint32_t>(body.size()), 4) + body + std::string(pad ? body.size() % 2 : 0, '\0');
}

inline std::string Format(int tag, int channels, std::uint32_t rate, int bits)
{
    const auto block = static_cast<std::uint32_t>(channels * bits / 8);
    return Chunk("fmt ", Le(static_cast<std::uint32_t>(tag), 2) + Le(static_cast<std::uint32_t>(channels), 2) +
                             Le(rate, 4) + Le(rate * block, 4) + Le(block, 2) + Le(static_cast<std::uint32_t>(bits), 2));
}

// The RIFF size is the true one, give or take `off`.
inline std::string Riff(const std::string& chunks, int off = 0)
{
    return "RIFF" + Le(static_cast<std::uint32_t>(4 + static_cast<int>(chunks.size()) + off), 4) + "WAVE" + chunks;
}

}  // namespace zvx::test::wave

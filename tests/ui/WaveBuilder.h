// Builds RIFF WAVE images in memory, one chunk at a time, for the sound tests.
#pragma once

#include <cstdint>
#include <string>

namespace zvx::test {

class WaveBuilder {
public:
    WaveBuilder& Format(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits)
    {
        std::string body;
        Put16(body, tag);
        Put16(body, channels);
        Put32(body, rate);
        Put32(body, rate * channels * bits / 8);
        Put16(body, static_cast<std::uint16_t>(channels * bits / 8));
        Put16(body, bits);
        return Chunk("fmt ", body);
    }
    WaveBuilder& Data(const std::string& samples) { return Chunk("data", samples); }
    // A chunk as written, padded to an even length.
    WaveBuilder& Chunk(const char* id, const std::string& body)
    {
        chunks_ += id;
        Put32(chunks_, static_cast<std::uint32_t>(body.size()));
        chunks_ += body;
        if (body.size() % 2 != 0) chunks_ += '\0';
        return *this;
    }
    // The whole image; the RIFF size is the true one unless given.
    std::string Build(std::int64_t riffSize = -1) const
    {
        std::string image = "RIFF";
        Put32(image, riffSize >= 0 ? static_cast<std::uint32_t>(riffSize) : static_cast<std::uint32_t>(4 + chunks_.size()));
        return image + "WAVE" + chunks_;
    }

    static void Put16(std::string& out, std::uint32_t v)
    {
        out += static_cast<char>(v & 0xFF);
        out += static_cast<char>((v >> 8) & 0xFF);
    }
    static void Put32(std::string& out, std::uint32_t v)
    {
        Put16(out, v & 0xFFFF);
        Put16(out, v >> 16);
    }

private:
    std::string chunks_;
};

}  // namespace zvx::test

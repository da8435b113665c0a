// The row copies behind SetDIBitsToDevice: every streaming kind writes exactly memcpy's bytes,
// whatever the alignment and length, and CopyRows puts each row where its steps say, as one
// block or row by row, with streaming stores or without. Internal to the native GDI layer.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/posix/gdi/CopyRows.h"

namespace {

using zvx::gdi::CanStream;
using zvx::gdi::CopyRows;
using zvx::gdi::StreamKind;

std::vector<std::uint8_t> Numbered(std::size_t size)
{
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 131 + (i >> 8));
    return bytes;
}

// -1 when equal, else the first index where the two differ.
long FirstDifference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b)
{
    if (a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size()) == 0) return -1;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (a[i] != b[i]) return static_cast<long>(i);
    }
    return a.size() == b.size() ? -1 : static_cast<long>(std::min(a.size(), b.size()));
}

TEST(CopyRows, EveryStreamingKindWritesExactlyTheBytesAskedFor)
{
    // Lengths around the 64- and 128-byte rounds; every target alignment within 32 bytes.
    const std::size_t lengths[] = {0, 1, 15, 16, 17, 63, 64, 65, 127, 128, 129, 200, 1000};
    const std::size_t fromOffsets[] = {0, 1, 3, 16, 31};
    const std::vector<std::uint8_t> source = Numbered(1100);
    for (const StreamKind kind : {StreamKind::Sse2, StreamKind::Avx2}) {
        if (!CanStream(kind)) continue;
        for (const std::size_t length : lengths) {
            for (std::size_t toOffset = 0; toOffset < 32; ++toOffset) {
                for (const std::size_t fromOffset : fromOffsets) {
                    std::vector<std::uint8_t> target(length + 64, 0xEE);
                    zvx::gdi::StreamBytes(kind, target.data() + toOffset, source.data() + fromOffset, length);
                    zvx::gdi::FinishStreaming();
                    std::vector<std::uint8_t> expected(length + 64, 0xEE);
                    std::memcpy(expected.data() + toOffset, source.data() + fromOffset, length);
                    ASSERT_EQ(-1, FirstDifference(expected, target))
                        << (kind == StreamKind::Avx2 ? "AVX2" : "SSE2") << ", " << length << " bytes to +"
                        << toOffset << " from +" << fromOffset;
                }
            }
        }
    }
}

TEST(CopyRows, RowsLandWhereTheirStepsSay)
{
    struct Case {
        const char* what;
        std::size_t bytes, rows, toStride, fromStride;
        bool toBackwards, fromBackwards;  // rows run from the block's end to its start
    };
    const std::size_t big = 7680;  // 840 of these rows are past the streaming threshold
    const Case cases[] = {
        {"one block", 1000, 7, 1000, 1000, false, false},
        {"one block, both backwards", 1000, 7, 1000, 1000, true, true},
        {"source backwards", 1000, 7, 1000, 1000, false, true},
        {"target backwards", 1000, 7, 1000, 1000, true, false},
        {"padded target rows", 1000, 7, 1012, 1000, false, false},
        {"padded source rows, backwards", 1000, 7, 1000, 1024, true, true},
        {"padded rows in both", 1000, 7, 1024, 1024, false, false},
        {"streamed block", big, 840, big, big, false, false},
        {"streamed block, both backwards", big, 840, big, big, true, true},
        {"streamed rows, source backwards", big, 840, big, big, false, true},
        {"streamed rows, padded target", big, 840, big + 12, big, false, false},
        {"streamed rows, both padded", big, 840, big + 64, big + 64, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(c.bytes == big, c.bytes * c.rows >= zvx::gdi::kStreamingBytes);
        const std::vector<std::uint8_t> source = Numbered(c.fromStride * c.rows);
        std::vector<std::uint8_t> target(c.toStride * c.rows, 0xEE);
        std::vector<std::uint8_t> expected = target;
        for (std::size_t i = 0; i < c.rows; ++i) {
            const std::size_t to = (c.toBackwards ? c.rows - 1 - i : i) * c.toStride;
            const std::size_t from = (c.fromBackwards ? c.rows - 1 - i : i) * c.fromStride;
            std::memcpy(expected.data() + to, source.data() + from, c.bytes);
        }
        const auto toStep = static_cast<std::ptrdiff_t>(c.toStride);
        const auto fromStep = static_cast<std::ptrdiff_t>(c.fromStride);
        const auto lastRow = static_cast<std::ptrdiff_t>(c.rows - 1);
        CopyRows(target.data() + (c.toBackwards ? lastRow * toStep : 0), c.toBackwards ? -toStep : toStep,
                 source.data() + (c.fromBackwards ? lastRow * fromStep : 0), c.fromBackwards ? -fromStep : fromStep,
                 c.bytes, c.rows);
        EXPECT_EQ(-1, FirstDifference(expected, target));
    }
}

}  // namespace
#endif

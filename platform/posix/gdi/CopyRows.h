// Moving rows of pixel bytes from one block to another as fast as the memory allows: rows that
// lie back to back alike in both blocks go as one block, the target is written in address
// order, and copies larger than the caches are written with streaming stores.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zvx::gdi {

// Copies rows rows of bytes bytes each: row i from from + i * fromStep (a step that may be
// negative) to to + i * toStep, upwards through the target's memory (every DC's rows are
// top-down), which is the order the hardware prefetches best. The source and the target must not
// overlap.
void CopyRows(std::uint8_t* to, std::ptrdiff_t toStep, const std::uint8_t* from, std::ptrdiff_t fromStep,
              std::size_t bytes, std::size_t rows);

// From this many bytes in one call on, streaming stores beat ordinary ones: the target's lines
// are not read into the cache first, and what the copy writes would not stay there anyway.
// Below it, the target is likely still cached when it is next read (the back buffer of a
// 640 x 480 frame is), and ordinary stores win. Measured on the bench machine: streaming lost
// at 5 MB and won from 8 MB.
constexpr std::size_t kStreamingBytes = std::size_t{6} << 20;

// The streaming copy CopyRows uses, each kind on its own (for the tests: every kind must give
// exactly memcpy's bytes, whatever the alignment). Callers fence with FinishStreaming.
enum class StreamKind { Sse2, Avx2 };
bool CanStream(StreamKind kind);
void StreamBytes(StreamKind kind, std::uint8_t* to, const std::uint8_t* from, std::size_t bytes);
void FinishStreaming();

}  // namespace zvx::gdi

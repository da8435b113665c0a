// Moving rows of pixel bytes from one block to another as fast as the memory allows: rows that
// lie back to back alike in both blocks go as one block, the target is written in address
// order, and the copy itself is the image library's row kernel, kept in the cache (a DC's pixels
// are read right after).
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

}  // namespace zvx::gdi

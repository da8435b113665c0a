#include "platform/posix/gdi/CopyRows.h"

#include "image/RowKernels.h"

namespace zvx::gdi {

void CopyRows(std::uint8_t* to, std::ptrdiff_t toStep, const std::uint8_t* from, std::ptrdiff_t fromStep,
              std::size_t bytes, std::size_t rows)
{
    if (rows == 0 || bytes == 0) return;
    if (rows > 1 && toStep == fromStep && toStep == static_cast<std::ptrdiff_t>(bytes)) {
        bytes *= rows;
        rows = 1;
    }
    // Never around the cache: a DC's pixels are read right after a transfer (the back buffer is
    // blended, then copied to the window), and a streamed 8 MB frame takes a tenth longer.
    CopyByteRows(from, fromStep, to, toStep, bytes, rows, false);
}

}  // namespace zvx::gdi

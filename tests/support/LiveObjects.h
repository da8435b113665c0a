// How many GDI objects the process holds, and how much heap it uses, where the system can say.
#pragma once

#include <cstddef>
#include <optional>

#include "platform/Win32.h"

#ifndef _WIN32
#include <malloc.h>

#include "platform/posix/GdiObjectCounts.h"
#endif

#if defined(__SANITIZE_ADDRESS__)
#define ZVX_HEAP_FROM_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZVX_HEAP_FROM_ASAN 1
#endif
#endif
#ifdef ZVX_HEAP_FROM_ASAN
// AddressSanitizer's runtime (GCC's and clang's) keeps the count; GCC ships no header for it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();  // NOLINT(bugprone-reserved-identifier)
#endif

namespace zvx::test {

// The live GDI objects, or nothing where uncounted (Wine 8 answers 0 to GetGuiResources).
inline std::optional<long> LiveGdiObjects()
{
#ifdef _WIN32
    const DWORD count = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    return count == 0 ? std::nullopt : std::optional<long>(count);
#else
    return zvx::platform::CountLiveGdiObjects().Total();
#endif
}

// Bytes of heap in use, or nothing where there is no exact count (Windows).
inline std::optional<std::size_t> HeapInUse()
{
#if defined(ZVX_HEAP_FROM_ASAN)
    return __sanitizer_get_current_allocated_bytes();
#elif defined(_WIN32)
    return std::nullopt;
#else
    return mallinfo2().uordblks;
#endif
}

}  // namespace zvx::test

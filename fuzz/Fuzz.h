// The fuzzers' entry point and check. In the test suite (ZVX_FUZZ_REPLAY) each entry point has
// its own name, for the corpus replay, and a failed check throws instead of aborting.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

#ifdef ZVX_FUZZ_REPLAY
#define ZVX_FUZZ_TARGET(name) int name(const std::uint8_t* data, std::size_t size)
#define ZVX_FUZZ_FAIL(what) throw std::logic_error(what)
#else
#define ZVX_FUZZ_TARGET(name) extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
#define ZVX_FUZZ_FAIL(what) std::abort()
#endif
#define ZVX_REQUIRE(condition)                       \
    do {                                             \
        if (!(condition)) ZVX_FUZZ_FAIL(#condition); \
    } while (false)

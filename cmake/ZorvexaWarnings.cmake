# Every target of ours: all warnings, as errors when the project is built on its own (ZVX_WERROR),
# and floating point exactly as written (no fused multiply-add), so blends and lines give the same
# pixels on every compiler and platform.
function(zvx_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -ffp-contract=off)
  if(ZVX_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(ZVX_BUILD_FUZZERS)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
                           -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  elseif(ZVX_COVERAGE)
    # Public, like the sanitizers: whatever links the instrumented library needs gcov's runtime.
    # Atomic counters: the thread tests' racing increments otherwise leave negative branch counts
    # that gcovr refuses.
    target_compile_options(${target} PRIVATE --coverage -fprofile-update=atomic -O0)
    target_link_options(${target} PUBLIC --coverage)
  elseif(ZVX_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined
                           -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  elseif(ZVX_TSAN)
    target_compile_options(${target} PRIVATE -fsanitize=thread -fno-omit-frame-pointer)
    target_link_options(${target} PUBLIC -fsanitize=thread)
  endif()
endfunction()

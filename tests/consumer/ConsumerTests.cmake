# The installed library as clients get it, one test per kind (consumer_static, consumer_shared):
# tests/consumer is built against an install of that kind through the CMake package and through
# pkg-config, and run; in the cross build under Wine, with the DLL beside the program. This
# build's own kind is installed from it; the other is built from the same sources beside the
# test's work (library only, kept between runs), as `-DBUILD_SHARED_LIBS=ON|OFF` builds it.
# Instrumented builds (sanitizers, coverage) test only their own kind: the other one would be
# one more library build per stage for what the plain builds already show.
find_program(ZVX_PKG_CONFIG NAMES pkgconf pkg-config)
if(ZVX_SHARED_LIBRARY)
  set(zvx_build_kind shared)
else()
  set(zvx_build_kind static)
endif()
set(zvx_kinds ${zvx_build_kind})
if(NOT (ZVX_SANITIZE OR ZVX_TSAN OR ZVX_COVERAGE OR ZVX_BUILD_FUZZERS))
  set(zvx_kinds static shared)
endif()
foreach(kind ${zvx_kinds})
  add_test(NAME consumer_${kind}
           COMMAND ${CMAKE_COMMAND}
                   -DZVX_KIND=${kind}
                   -DZVX_BUILD_KIND=${zvx_build_kind}
                   -DZVX_SOURCE_DIR=${PROJECT_SOURCE_DIR}
                   -DZVX_BUILD_DIR=${CMAKE_BINARY_DIR}
                   -DZVX_WORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/consumer-test
                   -DZVX_GENERATOR=${CMAKE_GENERATOR}
                   -DZVX_CXX_COMPILER=${CMAKE_CXX_COMPILER}
                   -DZVX_BUILD_TYPE=${CMAKE_BUILD_TYPE}
                   -DZVX_SANITIZE=${ZVX_SANITIZE}
                   -DZVX_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
                   "-DZVX_EMULATOR=$<JOIN:${CMAKE_CROSSCOMPILING_EMULATOR},|>"
                   -DZVX_OBJDUMP=${CMAKE_OBJDUMP}
                   -DZVX_PKG_CONFIG=${ZVX_PKG_CONFIG}
                   -P ${CMAKE_CURRENT_LIST_DIR}/run-consumer-test.cmake)
  # A first run builds the other kind's library; under Wine the programs start slowly.
  set_tests_properties(consumer_${kind} PROPERTIES LABELS consumer TIMEOUT 900)
endforeach()

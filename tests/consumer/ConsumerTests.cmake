# The installed library as clients get it: tests/consumer built against an install of this build
# (static in the test stages; the packages' shared one is tested by tests/package the same way).
find_program(ZVX_PKG_CONFIG NAMES pkgconf pkg-config)
set(zvx_kind static)
if(ZVX_SHARED_LIBRARY)
  set(zvx_kind shared)
endif()
add_test(NAME consumer
         COMMAND ${CMAKE_COMMAND}
                 -DZVX_KIND=${zvx_kind} -DZVX_BUILD_DIR=${CMAKE_BINARY_DIR}
                 -DZVX_WORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/consumer-test
                 -DZVX_GENERATOR=${CMAKE_GENERATOR} -DZVX_BUILD_TYPE=${CMAKE_BUILD_TYPE}
                 -DZVX_CXX_COMPILER=${CMAKE_CXX_COMPILER} -DZVX_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
                 "-DZVX_EMULATOR=$<JOIN:${CMAKE_CROSSCOMPILING_EMULATOR},|>"
                 -DZVX_OBJDUMP=${CMAKE_OBJDUMP} -DZVX_PKG_CONFIG=${ZVX_PKG_CONFIG}
                 -P ${CMAKE_CURRENT_LIST_DIR}/run-consumer-test.cmake)
# Under Wine the programs start slowly.
set_tests_properties(consumer PROPERTIES LABELS consumer TIMEOUT 600)

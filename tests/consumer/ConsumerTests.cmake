# The installed library, both kinds in one prefix, and the sources as a subproject (building the
# other kind), as clients outside the tree use them (run-consumer-test.cmake).
find_program(ZVX_PKG_CONFIG NAMES pkgconf pkg-config)
add_test(NAME consumer
         COMMAND ${CMAKE_COMMAND}
                 -DZVX_BUILD_DIR=${CMAKE_BINARY_DIR} -DZVX_SOURCE_DIR=${PROJECT_SOURCE_DIR}
                 -DZVX_WORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/consumer-test "-DZVX_OTHER_SHARED=$<NOT:$<BOOL:${ZVX_SHARED_LIBRARY}>>"
                 -DZVX_GENERATOR=${CMAKE_GENERATOR} -DZVX_BUILD_TYPE=${CMAKE_BUILD_TYPE}
                 -DZVX_CXX_COMPILER=${CMAKE_CXX_COMPILER} -DZVX_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
                 "-DZVX_EMULATOR=$<JOIN:${CMAKE_CROSSCOMPILING_EMULATOR},|>"
                 -DZVX_OBJDUMP=${CMAKE_OBJDUMP} -DZVX_PKG_CONFIG=${ZVX_PKG_CONFIG}
                 -P ${CMAKE_CURRENT_LIST_DIR}/run-consumer-test.cmake)
# Under Wine the programs start slowly; the subproject builds the library once more.
set_tests_properties(consumer PROPERTIES LABELS consumer TIMEOUT 900)

# CTest driver for the consumer test: installs the build into a scratch prefix, then configures,
# builds and runs tests/consumer against it with the same generator and compiler.
#
#   cmake -DZVX_BUILD_DIR=... -DZVX_WORK_DIR=... -DZVX_GENERATOR=... -DZVX_CXX_COMPILER=...
#         -DZVX_BUILD_TYPE=... -P run-consumer-test.cmake
foreach(var ZVX_BUILD_DIR ZVX_WORK_DIR ZVX_GENERATOR ZVX_CXX_COMPILER)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run-consumer-test.cmake: ${var} is not set")
  endif()
endforeach()

set(prefix "${ZVX_WORK_DIR}/prefix")
set(build "${ZVX_WORK_DIR}/build")
# A fresh prefix each run, so that a header dropped from the install rules cannot linger.
file(REMOVE_RECURSE "${ZVX_WORK_DIR}")

function(zvx_step what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "consumer test: ${what} failed (${result})")
  endif()
endfunction()

set(config_args)
if(ZVX_BUILD_TYPE)
  set(config_args --config "${ZVX_BUILD_TYPE}")
endif()

zvx_step("cmake --install" "${CMAKE_COMMAND}" --install "${ZVX_BUILD_DIR}" --prefix "${prefix}" ${config_args})
zvx_step("configuring the consumer" "${CMAKE_COMMAND}"
  -S "${CMAKE_CURRENT_LIST_DIR}" -B "${build}" -G "${ZVX_GENERATOR}"
  "-DCMAKE_CXX_COMPILER=${ZVX_CXX_COMPILER}"
  "-DCMAKE_BUILD_TYPE=${ZVX_BUILD_TYPE}"
  "-DCMAKE_PREFIX_PATH=${prefix}"
  # Only the scratch prefix: a Zorvexa installed elsewhere on the machine must not be found.
  -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
  -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF)
zvx_step("building the consumer" "${CMAKE_COMMAND}" --build "${build}")
zvx_step("running the consumer" "${build}/app")

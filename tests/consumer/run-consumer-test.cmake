# CTest driver for the consumer test: installs the build into a fresh scratch prefix (so a header
# dropped from the install rules cannot linger), then configures, builds and runs tests/consumer
# against it with the same generator and compiler, finding only that prefix.
set(prefix "${ZVX_WORK_DIR}/prefix")
file(REMOVE_RECURSE "${ZVX_WORK_DIR}")
foreach(step "install;${CMAKE_COMMAND};--install;${ZVX_BUILD_DIR};--prefix;${prefix}"
             "configure;${CMAKE_COMMAND};-S;${CMAKE_CURRENT_LIST_DIR};-B;${ZVX_WORK_DIR}/build;-G;${ZVX_GENERATOR};-DCMAKE_CXX_COMPILER=${ZVX_CXX_COMPILER};-DCMAKE_BUILD_TYPE=${ZVX_BUILD_TYPE};-DCMAKE_PREFIX_PATH=${prefix};-DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF;-DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF"
             "build;${CMAKE_COMMAND};--build;${ZVX_WORK_DIR}/build"
             "run;${ZVX_WORK_DIR}/build/app")
  list(POP_FRONT step what)
  execute_process(COMMAND ${step} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "consumer test: ${what} failed (${result})")
  endif()
endforeach()

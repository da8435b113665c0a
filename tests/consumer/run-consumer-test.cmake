# The consumer test: CTest's "consumer" (ConsumerTests.cmake), for this build's own kind of library
# (static in the test stages), and tests/package, for the shared library of the Debian packages.
# For one kind (ZVX_KIND) it
#   1. installs this build into a fresh scratch prefix, or takes what is installed in ZVX_PREFIX;
#   2. for a shared library (natively), checks a SONAME with the major version and that no zvx::
#      internal is exported (that the classes, zvx's few and the GDI layer are, main.cpp shows);
#   3. builds tests/consumer against the prefix with find_package, and
#   4. main.cpp with nothing but pkg-config's flags (--static for a static library; not for a
#      Windows DLL, whose users choose how they link the compiler's runtime);
#   5. runs each program (cross: through the emulator), once it uses the kind it was built for.
cmake_minimum_required(VERSION 3.25)
set(work "${ZVX_WORK_DIR}/${ZVX_KIND}")
set(prefix "${work}/prefix")
if(ZVX_PREFIX)
  set(prefix "${ZVX_PREFIX}")
endif()
# A fresh prefix each run, so that a file dropped from the install rules cannot linger.
file(REMOVE_RECURSE "${work}")
string(REPLACE "|" ";" emulator "${ZVX_EMULATOR}")

function(zvx_fail what)
  message(FATAL_ERROR "consumer test (${ZVX_KIND}): ${what}")
endfunction()

# Runs a command; OUTPUT (when given) names the variable that receives what it printed.
function(zvx_step what)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "OUTPUT" "COMMAND")
  if(arg_OUTPUT)
    set(capture OUTPUT_VARIABLE text OUTPUT_STRIP_TRAILING_WHITESPACE)
  endif()
  execute_process(COMMAND ${arg_COMMAND} ${capture} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    zvx_fail("${what} failed (${result})")
  endif()
  if(arg_OUTPUT)
    set(${arg_OUTPUT} "${text}" PARENT_SCOPE)
  endif()
endfunction()

if(ZVX_TOOLCHAIN_FILE)
  set(compiler_args "-DCMAKE_TOOLCHAIN_FILE=${ZVX_TOOLCHAIN_FILE}")
  set(exe .exe)
else()
  set(compiler_args "-DCMAKE_CXX_COMPILER=${ZVX_CXX_COMPILER}")
  set(exe "")
endif()

# ---- 1. the install ---------------------------------------------------------------------------
if(NOT ZVX_PREFIX)
  zvx_step("cmake --install" COMMAND "${CMAKE_COMMAND}" --install "${ZVX_BUILD_DIR}" --prefix "${prefix}")
endif()

file(GLOB_RECURSE pc_file "${prefix}/*/zorvexa.pc")
file(GLOB_RECURSE config_file "${prefix}/*/ZorvexaConfig.cmake")
if(NOT pc_file OR NOT config_file)
  zvx_fail("zorvexa.pc or ZorvexaConfig.cmake is not installed")
endif()
get_filename_component(pc_dir "${pc_file}" DIRECTORY)
get_filename_component(lib_dir "${pc_dir}" DIRECTORY)
get_filename_component(config_dir "${config_file}" DIRECTORY)

# ---- 2. what a shared library shows -------------------------------------------------------------
if(ZVX_KIND STREQUAL "shared" AND NOT ZVX_TOOLCHAIN_FILE)
  set(library "${lib_dir}/libzorvexa_image.so")
  zvx_step("objdump -p on the library" OUTPUT headers COMMAND "${ZVX_OBJDUMP}" -p "${library}")
  if(NOT headers MATCHES "SONAME +(libzorvexa_image\\.so\\.[0-9]+)\n" OR NOT EXISTS "${lib_dir}/${CMAKE_MATCH_1}")
    zvx_fail("no SONAME libzorvexa_image.so.MAJOR installed")
  endif()
  zvx_step("objdump -T on the library" OUTPUT exports COMMAND "${ZVX_OBJDUMP}" -T "${library}")
  # Of namespace zvx only the public functions that say why a .bmp does not load.
  string(REGEX REPLACE " _ZN3zvx(11DiagnoseBmpEPKc|11DiagnoseBmpEPKvm|8DescribeENS_10BmpVerdictE)\n" "\n" exports "${exports}")
  if(exports MATCHES "([_A-Za-z0-9]*[^0-9]3zvx[_A-Za-z0-9]*)")
    zvx_fail("an internal is exported: ${CMAKE_MATCH_1}")
  endif()
endif()

# ---- 3. the CMake package -----------------------------------------------------------------------
# Runs a program built against the prefix, after checking that it uses the shared library
# (NEEDED, DLL Name) exactly when it should.
function(zvx_run program)
  zvx_step("objdump -p on ${program}" OUTPUT headers COMMAND "${ZVX_OBJDUMP}" -p "${program}")
  set(uses static)
  if(headers MATCHES "(NEEDED|DLL Name:) +libzorvexa_image")
    set(uses shared)
  endif()
  if(NOT uses STREQUAL ZVX_KIND)
    zvx_fail("${program} was built against the ${ZVX_KIND} library but uses it as ${uses}")
  endif()
  if(ZVX_TOOLCHAIN_FILE)
    zvx_step("running ${program}" COMMAND ${emulator} "${program}")
  else()
    zvx_step("running ${program}" COMMAND "${CMAKE_COMMAND}" -E env "LD_LIBRARY_PATH=${lib_dir}" "${program}")
  endif()
endfunction()

if(ZVX_TOOLCHAIN_FILE)
  # The toolchain confines searches to the target's root; the package is named directly.
  set(find_args "-DZorvexa_DIR=${config_dir}")
else()
  set(find_args "-DCMAKE_PREFIX_PATH=${prefix}")
endif()
zvx_step("configuring the consumer" COMMAND "${CMAKE_COMMAND}"
  -S "${CMAKE_CURRENT_LIST_DIR}" -B "${work}/cmake" -G "${ZVX_GENERATOR}" ${compiler_args}
  "-DCMAKE_BUILD_TYPE=${ZVX_BUILD_TYPE}" ${find_args}
  # Only the scratch prefix: a Zorvexa installed elsewhere on the machine must not be found.
  -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF)
zvx_step("building the consumer" COMMAND "${CMAKE_COMMAND}" --build "${work}/cmake")
zvx_run("${work}/cmake/app${exe}")

# ---- 4. pkg-config ------------------------------------------------------------------------------
if(ZVX_TOOLCHAIN_FILE AND ZVX_KIND STREQUAL "shared")
  return()
endif()
set(pc_options --cflags --libs)
set(link_options "")
if(ZVX_KIND STREQUAL "static")
  list(PREPEND pc_options --static)
  if(ZVX_TOOLCHAIN_FILE)
    # As every Windows program here: no compiler runtime DLLs needed under Wine.
    set(link_options -static)
  endif()
endif()
zvx_step("pkg-config ${pc_options} zorvexa (${ZVX_PKG_CONFIG})" OUTPUT pc_flags
  COMMAND "${CMAKE_COMMAND}" -E env --unset=PKG_CONFIG_PATH "PKG_CONFIG_LIBDIR=${pc_dir}"
          "${ZVX_PKG_CONFIG}" ${pc_options} zorvexa)
separate_arguments(pc_flags UNIX_COMMAND "${pc_flags}")
file(MAKE_DIRECTORY "${work}/pkg-config")
zvx_step("building the consumer with pkg-config" COMMAND "${ZVX_CXX_COMPILER}" -std=c++17 -Wall -Wextra
  -Wpedantic -Werror "${CMAKE_CURRENT_LIST_DIR}/main.cpp" ${pc_flags} ${link_options}
  -o "${work}/pkg-config/app${exe}")
zvx_run("${work}/pkg-config/app${exe}")

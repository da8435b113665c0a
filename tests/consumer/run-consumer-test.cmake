# The consumer test (ConsumerTests.cmake; tests/package runs it on the unpacked packages, given as
# ZVX_PREFIX). 1. Installs this build into a scratch prefix; builds the README's first program with
# its FetchContent project, from a git repository of this tree as it stands, with SDL2, GTK, X11
# and GoogleTest out of reach and the other kind of library; checks the subproject built only the
# library, and installs it beside the first. 2. Natively: a SONAME, no zvx:: internal or free
# (Win32) function exported. 3. Builds the README's program with its find_package project,
# tests/consumer with find_package (shared, and COMPONENTS static), and main.cpp with pkg-config's
# zorvexa (not for a Windows DLL, whose users choose how to link the compiler's runtime) and
# zorvexa-static flags. Runs each once it uses the kind it was built for.
cmake_minimum_required(VERSION 3.22)
set(work "${ZVX_WORK_DIR}")
set(prefix "${work}/prefix")
if(ZVX_PREFIX)
  set(prefix "${ZVX_PREFIX}")
endif()
file(REMOVE_RECURSE "${work}")  # a file dropped from the install rules cannot linger
string(REPLACE "|" ";" emulator "${ZVX_EMULATOR}")
set(compiler_args "-DCMAKE_CXX_COMPILER=${ZVX_CXX_COMPILER}")
if(ZVX_TOOLCHAIN_FILE)
  set(compiler_args "-DCMAKE_TOOLCHAIN_FILE=${ZVX_TOOLCHAIN_FILE}")
  set(exe .exe)
endif()
set(readme "${CMAKE_CURRENT_LIST_DIR}/../../README.md")
set(picture "${CMAKE_CURRENT_LIST_DIR}/../data/bmpsuite/g/rgb24.bmp")

# Runs a command and fails the test unless it succeeds; OUTPUT names a variable for its output.
function(zvx_step what)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "OUTPUT" "COMMAND")
  execute_process(COMMAND ${arg_COMMAND} OUTPUT_VARIABLE text RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "consumer test: ${what} (${result})")
  endif()
  if(arg_OUTPUT)
    set(${arg_OUTPUT} "${text}" PARENT_SCOPE)
  endif()
endfunction()

# Runs a program once it uses the shared library (NEEDED, DLL Name) exactly when built for KIND:
# in the folder IN (default: work), with the prefix's libraries or in the cross build under the
# emulator. It must exit with EXIT (default 0), its error output matching ERRORS.
function(zvx_run program kind)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "IN;EXIT;ERRORS" "")
  zvx_step("objdump -p ${program}" OUTPUT headers COMMAND "${ZVX_OBJDUMP}" -p "${program}")
  set(uses static)
  if(headers MATCHES "(NEEDED|DLL Name:) +libzorvexa_image")
    set(uses shared)
  endif()
  if(NOT uses STREQUAL kind)
    message(FATAL_ERROR "consumer test: ${program} was built against the ${kind} library but uses it as ${uses}")
  endif()
  if(NOT ZVX_TOOLCHAIN_FILE)
    set(emulator "${CMAKE_COMMAND}" -E env "LD_LIBRARY_PATH=${lib_dir}")
  endif()
  if(NOT arg_IN)
    set(arg_IN "${work}")
  endif()
  if(NOT arg_EXIT)
    set(arg_EXIT 0)
  endif()
  execute_process(COMMAND ${emulator} "${program}" WORKING_DIRECTORY "${arg_IN}" RESULT_VARIABLE result
                  ERROR_VARIABLE errors)
  if(NOT result EQUAL arg_EXIT OR NOT errors MATCHES "${arg_ERRORS}")
    message(FATAL_ERROR "consumer test: running ${program} in ${arg_IN} gave ${result}:\n${errors}")
  endif()
endfunction()

# tests/consumer configured in work/NAME with the arguments after KIND, built and run.
function(zvx_consumer name kind)
  zvx_step("configuring the consumer (${name})" COMMAND "${CMAKE_COMMAND}" -S "${CMAKE_CURRENT_LIST_DIR}"
    -B "${work}/${name}" -G "${ZVX_GENERATOR}" ${compiler_args} "-DCMAKE_BUILD_TYPE=${ZVX_BUILD_TYPE}" ${ARGN})
  zvx_step("building the consumer (${name})" COMMAND "${CMAKE_COMMAND}" --build "${work}/${name}")
  zvx_run("${work}/${name}/app${exe}" ${kind})
endfunction()

# The fenced block after the line "<!-- snippet: NAME -->" of README.md, as it stands, in VARIABLE.
function(zvx_snippet variable name)
  file(READ "${readme}" text)
  if(NOT text MATCHES "<!-- snippet: ${name} -->\n```[a-z]*\n([^`]*)```")
    message(FATAL_ERROR "consumer test: README.md has no code block marked <!-- snippet: ${name} -->")
  endif()
  set(${variable} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

# The README's first program as main.cpp of the README's project SNIPPET (its repository's URL
# replaced by REPOSITORY), configured in work/NAME with the arguments after KIND, built, and run
# where its pictures are missing (it must say so, with the system's code for a missing file) and
# where they are (it must write out.bmp).
function(zvx_readme_program name snippet kind)
  cmake_parse_arguments(PARSE_ARGV 3 arg "" "REPOSITORY" "")
  set(source "${work}/${name}-source")
  zvx_snippet(program first-program)
  zvx_snippet(project ${snippet})
  if(arg_REPOSITORY)
    string(REPLACE "<url of this repository>" "${arg_REPOSITORY}" project "${project}")
  endif()
  file(WRITE "${source}/main.cpp" "${program}")
  file(WRITE "${source}/CMakeLists.txt" "${project}")
  zvx_step("configuring the README's ${snippet} project" COMMAND "${CMAKE_COMMAND}" -S "${source}" -B "${work}/${name}"
    -G "${ZVX_GENERATOR}" ${compiler_args} "-DCMAKE_BUILD_TYPE=${ZVX_BUILD_TYPE}"
    "-DCMAKE_CXX_FLAGS=-Wall -Wextra -Wpedantic -Werror" ${arg_UNPARSED_ARGUMENTS})
  zvx_step("building the README's ${snippet} project" COMMAND "${CMAKE_COMMAND}" --build "${work}/${name}")
  set(program "${work}/${name}/blend${exe}")
  # A Windows program finds its DLL beside it.
  file(GLOB_RECURSE dlls "${work}/${name}/*.dll" "${prefix}/bin/*.dll")
  if(ZVX_TOOLCHAIN_FILE AND dlls)
    file(COPY ${dlls} DESTINATION "${work}/${name}")
  endif()
  set(run "${work}/${name}/run")
  file(MAKE_DIRECTORY "${run}")
  zvx_run("${program}" ${kind} IN "${run}" EXIT 1 ERRORS "^osiri\\.bmp: [^\n]*\\(system error 2\\)")
  file(COPY_FILE "${picture}" "${run}/osiri.bmp")
  file(COPY_FILE "${picture}" "${run}/hand.bmp")
  zvx_run("${program}" ${kind} IN "${run}")
  if(NOT EXISTS "${run}/out.bmp")
    message(FATAL_ERROR "consumer test: the README's program (${name}) wrote no out.bmp")
  endif()
endfunction()

if(NOT ZVX_PREFIX)
  zvx_step("cmake --install" COMMAND "${CMAKE_COMMAND}" --install "${ZVX_BUILD_DIR}" --prefix "${prefix}")
  set(kind static)
  if(ZVX_OTHER_SHARED)
    set(kind shared)
  endif()
  # This tree as it stands, tracked files and new ones, committed to the branch the README names.
  find_program(ZVX_GIT git REQUIRED)
  set(repository "${work}/repository")
  set(git "${ZVX_GIT}" -C "${repository}" -c user.name=consumer -c user.email=consumer@example.invalid)
  zvx_step("git init" COMMAND "${ZVX_GIT}" init -q -b main "${repository}")
  zvx_step("git add" COMMAND ${git} "--work-tree=${ZVX_SOURCE_DIR}" add -A)
  zvx_step("git commit" COMMAND ${git} commit -q -m "the tree under test")
  zvx_readme_program(fetch FetchContent ${kind} REPOSITORY "file://${repository}" -DBUILD_SHARED_LIBS=${ZVX_OTHER_SHARED}
    -DBUILD_TESTING=ON -DZVX_INSTALL=ON -DCMAKE_DISABLE_FIND_PACKAGE_SDL2=ON -DCMAKE_DISABLE_FIND_PACKAGE_PkgConfig=ON
    -DCMAKE_DISABLE_FIND_PACKAGE_X11=ON -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON)
  # As a subproject it builds the library and nothing else, and leaves warnings alone.
  zvx_step("the targets of the FetchContent project" OUTPUT targets COMMAND "${CMAKE_COMMAND}" --build "${work}/fetch" --target help)
  file(STRINGS "${work}/fetch/CMakeCache.txt" werror REGEX "^ZVX_WERROR:BOOL=ON")
  if(targets MATCHES "(^|\n)(test_image|zorvexa|zorvexa_platform_ui|gtest|zorvexa_docs):" OR werror)
    message(FATAL_ERROR "consumer test: as a subproject the library's build made ${CMAKE_MATCH_2} or warnings errors")
  endif()
  zvx_step("installing its library" COMMAND "${CMAKE_COMMAND}" --install "${work}/fetch" --prefix "${prefix}")
endif()

file(GLOB_RECURSE config_file "${prefix}/*/ZorvexaConfig.cmake")
file(GLOB_RECURSE pc_files "${prefix}/*/zorvexa.pc" "${prefix}/*/zorvexa-static.pc")
list(LENGTH pc_files pc_count)
if(NOT config_file OR NOT pc_count EQUAL 2)
  message(FATAL_ERROR "consumer test: the prefix lacks ZorvexaConfig.cmake, zorvexa.pc or zorvexa-static.pc")
endif()
list(GET pc_files 0 pc_file)
get_filename_component(pc_dir "${pc_file}" DIRECTORY)
get_filename_component(lib_dir "${pc_dir}" DIRECTORY)
get_filename_component(config_dir "${config_file}" DIRECTORY)

if(NOT ZVX_TOOLCHAIN_FILE)
  set(library "${lib_dir}/libzorvexa_image.so")
  zvx_step("objdump -p on the library" OUTPUT headers COMMAND "${ZVX_OBJDUMP}" -p "${library}")
  if(NOT headers MATCHES "SONAME +(libzorvexa_image\\.so\\.[0-9]+)\n" OR NOT EXISTS "${lib_dir}/${CMAKE_MATCH_1}")
    message(FATAL_ERROR "consumer test: no SONAME libzorvexa_image.so.MAJOR installed")
  endif()
  zvx_step("objdump -T on the library" OUTPUT exports COMMAND "${ZVX_OBJDUMP}" -T "${library}")
  # Of namespace zvx only the public functions that say why a .bmp does not load.
  string(REGEX REPLACE " _ZN3zvx(11DiagnoseBmpEPKc|11DiagnoseBmpEPKvm|8DescribeENS_10BmpVerdictE|8DescribeENS_12BmpDiagnosisEPcm)\n"
         "\n" exports "${exports}")
  if(exports MATCHES "(_Z[A-Z]*[0-9_a-z]*N[KVR]*3zvx[_A-Za-z0-9]*|\\.text[^\n]* (_Z[0-9]+|[A-Za-z])[_A-Za-z0-9]*(\n|$))")
    message(FATAL_ERROR "consumer test: an internal or a free function is exported: ${CMAKE_MATCH_1}")
  endif()
endif()

# Only the prefix: a Zorvexa installed elsewhere must not be found. The cross toolchain confines
# searches to the target's root: there the package is named directly.
set(find_args "-DCMAKE_PREFIX_PATH=${prefix}" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
    -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF)
if(ZVX_TOOLCHAIN_FILE)
  set(find_args "-DZorvexa_DIR=${config_dir}")
endif()
zvx_readme_program(readme find_package shared ${find_args})
zvx_consumer(find-shared shared ${find_args})
zvx_consumer(find-static static ${find_args} -DZVX_COMPONENTS=static)

foreach(pc zorvexa zorvexa-static)
  set(kind static)
  if(pc STREQUAL "zorvexa")
    set(kind shared)
    if(ZVX_TOOLCHAIN_FILE)
      continue()
    endif()
  elseif(ZVX_TOOLCHAIN_FILE)
    set(link_options -static)  # as every Windows program here: no compiler runtime DLLs needed
  endif()
  zvx_step("pkg-config --cflags --libs ${pc}" OUTPUT flags COMMAND "${CMAKE_COMMAND}" -E env --unset=PKG_CONFIG_PATH
           "PKG_CONFIG_LIBDIR=${pc_dir}" "${ZVX_PKG_CONFIG}" --cflags --libs ${pc})
  separate_arguments(flags UNIX_COMMAND "${flags}")
  file(MAKE_DIRECTORY "${work}/${pc}")
  zvx_step("building the consumer with ${pc}.pc" COMMAND "${ZVX_CXX_COMPILER}" -std=c++17 -Wall -Wextra -Wpedantic
    -Werror "-I${CMAKE_CURRENT_LIST_DIR}/decoy" "${CMAKE_CURRENT_LIST_DIR}/main.cpp" ${flags} ${link_options} -o "${work}/${pc}/app${exe}")
  zvx_run("${work}/${pc}/app${exe}" ${kind})
endforeach()

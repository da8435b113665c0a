# The documents `cmake --install` puts beside the library: under share/doc/zorvexa (DOCDIR, unless
# set) the licence, the changes, the user's guide and the HTML reference, which Doxygen builds
# from the installed headers' comments when it is there (target zorvexa_docs, part of the build:
# scripts/docs, which any Doxygen warning fails); without Windows the programs' manual pages.
if(CMAKE_INSTALL_DOCDIR STREQUAL "${CMAKE_INSTALL_DATAROOTDIR}/doc/${PROJECT_NAME}")
  set(ZVX_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/zorvexa)
else()
  set(ZVX_INSTALL_DOCDIR ${CMAKE_INSTALL_DOCDIR})
endif()
install(FILES CHANGELOG.md docs/guide.md DESTINATION ${ZVX_INSTALL_DOCDIR} COMPONENT dev)
if(NOT ZVX_DEBIAN_DOCS)  # a Debian package has it as its copyright file
  install(FILES LICENSE DESTINATION ${ZVX_INSTALL_DOCDIR} COMPONENT dev)
endif()

find_program(ZVX_DOXYGEN doxygen)
find_program(ZVX_BASH bash)
option(ZVX_BUILD_DOCS "Build the HTML reference with Doxygen, when it is found" ${PROJECT_IS_TOP_LEVEL})
if(ZVX_BUILD_DOCS AND ZVX_DOXYGEN AND ZVX_BASH)
  set(zvx_docs ${CMAKE_CURRENT_BINARY_DIR}/docs)
  file(GLOB zvx_docs_inputs CONFIGURE_DEPENDS image/*.h platform/*.h platform/posix/*.h docs/*.md)
  add_custom_command(OUTPUT ${zvx_docs}/html/index.html
    COMMAND ${CMAKE_COMMAND} -E env ZVX_DOCS_DIR=${zvx_docs} ${ZVX_BASH} ${PROJECT_SOURCE_DIR}/scripts/docs
    DEPENDS ${zvx_docs_inputs} docs/Doxyfile scripts/docs CMakeLists.txt
    COMMENT "API reference (Doxygen)" VERBATIM)
  add_custom_target(zorvexa_docs ALL DEPENDS ${zvx_docs}/html/index.html)
  install(DIRECTORY ${zvx_docs}/html DESTINATION ${ZVX_INSTALL_DOCDIR} COMPONENT dev)
endif()

# FILE compressed as Debian wants it (gzip -9n: no name, no time stamp) into OUT; nothing without
# gzip.
function(zvx_gzip out file)
  find_program(ZVX_GZIP gzip)
  set(${out} "" PARENT_SCOPE)
  if(ZVX_GZIP)
    get_filename_component(name ${file} NAME)
    set(gz ${CMAKE_CURRENT_BINARY_DIR}/gz/${name})
    add_custom_command(OUTPUT ${gz}.gz
      COMMAND ${CMAKE_COMMAND} -E copy ${file} ${gz}
      COMMAND ${ZVX_GZIP} -9nf ${gz}
      DEPENDS ${file} VERBATIM)
    add_custom_target(zvx_gzip_${name} ALL DEPENDS ${gz}.gz)
    set(${out} ${gz}.gz PARENT_SCOPE)
  endif()
endfunction()

if(TARGET zorvexa AND NOT WIN32)
  foreach(page zorvexa.1 zorvexa_assets.1)
    zvx_gzip(zvx_page ${PROJECT_SOURCE_DIR}/docs/man/${page})
    if(NOT zvx_page)
      set(zvx_page docs/man/${page})
    endif()
    install(FILES ${zvx_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT sample)
  endforeach()
endif()

# CPack: Debian packages (cpack -G DEB), one per install component, and a Windows .zip of the whole
# install (cpack -G ZIP in the cross build). scripts/package makes both from Release builds.
#
#   libzorvexa-image1  the shared library (libzorvexa_image.so.1)
#   libzorvexa-dev     headers, the .so link and the static archive, CMake package, zorvexa.pc and
#                      zorvexa-static.pc, the guide and the HTML reference
#   zorvexa            the sample program and its asset tool, with their manual pages
#
# Each package's Depends comes from dpkg-shlibdeps (dpkg-dev) on its binaries; libzorvexa-dev
# depends on the library package of the same version. A shared build's packages carry the static
# library too when ZVX_PACKAGE_STATIC_BUILD names a static build of the same sources, library
# only and with the same prefix and DOCDIR: all it installs is development files, which go into
# libzorvexa-dev (the .zip) beside this build's.
set(CPACK_PACKAGE_NAME zorvexa)
set(CPACK_PACKAGE_VENDOR "Zorvexa")
set(CPACK_PACKAGE_CONTACT "Zorvexa maintainers <maintainers@users.noreply.c-seed-0ec42327.example>")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_STRIP_FILES ON)
if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_SYSTEM_NAME win64)
  else()
    set(CPACK_SYSTEM_NAME win32)
  endif()
endif()

set(ZVX_PACKAGE_STATIC_BUILD "" CACHE PATH "A static build whose library the packages carry too")
if(ZVX_PACKAGE_STATIC_BUILD)
  set(CPACK_INSTALL_CMAKE_PROJECTS
      "${PROJECT_BINARY_DIR};${PROJECT_NAME};ALL;/" "${ZVX_PACKAGE_STATIC_BUILD};${PROJECT_NAME};ALL;/")
endif()

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

# Each package its own summary (the first line) and description, in lines short enough for
# Debian's tools; an empty line parts paragraphs.
set(zvx_about "Zorvexa is a C++17 image class library in the Win32 GDI tradition: images
of 32-bit pixels with channel access, 24-bit .bmp files, import from GDI
bitmaps, copies and blits with a colour key, alpha blending, drawing onto
device contexts, lines and rectangles. Without Windows it brings its own
software GDI.

")

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libzorvexa-image${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
# ldconfig runs through dpkg's trigger (scripts/package drops the postinst and postrm that CPack
# writes to call it).
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/cmake/debian/triggers)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "Win32-GDI-style image class library - shared library
${zvx_about}This package holds the shared library that programs using Zorvexa run
with.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libzorvexa-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_DESCRIPTION "Win32-GDI-style image class library - development files
${zvx_about}This package holds the headers, the static library and the link to the
shared one, the CMake package (find_package(Zorvexa), target
Zorvexa::image), the pkg-config files zorvexa and zorvexa-static, the
user's guide and the HTML API reference.")
if(ZVX_SHARED_LIBRARY)
  set(CPACK_COMPONENT_DEV_DEPENDS runtime)
endif()

set(CPACK_DEBIAN_SAMPLE_PACKAGE_NAME zorvexa)
set(CPACK_DEBIAN_SAMPLE_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_SAMPLE_DESCRIPTION "sample program of the Zorvexa image library
${zvx_about}This package holds the sample program: zorvexa blends a cursor picture
over a background and tints it on a click, with a sound; zorvexa_assets
draws its default files.")

# What Debian asks of every package (ZVX_DEBIAN_DOCS, which scripts/package sets): in
# /usr/share/doc/<package>, the copyright file in Debian's machine-readable format and a Debian
# changelog, dated as CHANGELOG.md dates the release.
option(ZVX_DEBIAN_DOCS "Install each Debian package's copyright and changelog" OFF)
if(ZVX_DEBIAN_DOCS)
  file(STRINGS CHANGELOG.md zvx_release ENCODING UTF-8 REGEX "^## ${PROJECT_VERSION} .* [0-9]+-[0-9]+-[0-9]+$")
  if(NOT zvx_release MATCHES "([0-9]+)-([0-9]+)-([0-9]+)$")
    message(FATAL_ERROR "CHANGELOG.md dates no release ${PROJECT_VERSION} (## ${PROJECT_VERSION} — YYYY-MM-DD)")
  endif()
  set(year ${CMAKE_MATCH_1})
  math(EXPR month "${CMAKE_MATCH_2} - 1")
  math(EXPR day "${CMAKE_MATCH_3}")
  # The day of the week (Sakamoto's method), which the changelog's date names.
  set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
  set(weekdays Sun Mon Tue Wed Thu Fri Sat)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(GET offsets ${month} offset)
  set(y ${year})
  if(month LESS 2)
    math(EXPR y "${y} - 1")
  endif()
  math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${day}) % 7")
  list(GET weekdays ${weekday} weekday)
  list(GET months ${month} month)
  set(ZVX_DEBIAN_DATE "${weekday}, ${day} ${month} ${year} 00:00:00 +0000")
  configure_file(cmake/debian/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog @ONLY)
  zvx_gzip(zvx_changelog ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog)
  set(zvx_packages dev ${CPACK_DEBIAN_DEV_PACKAGE_NAME})
  if(ZVX_SHARED_LIBRARY)
    list(APPEND zvx_packages runtime ${CPACK_DEBIAN_RUNTIME_PACKAGE_NAME})
  endif()
  if(TARGET zorvexa)
    list(APPEND zvx_packages sample ${CPACK_DEBIAN_SAMPLE_PACKAGE_NAME})
  endif()
  while(zvx_packages)
    list(POP_FRONT zvx_packages component package)
    install(FILES cmake/debian/copyright ${zvx_changelog}
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component})
  endwhile()
endif()

include(CPack)

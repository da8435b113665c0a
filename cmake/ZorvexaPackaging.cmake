# CPack: Debian packages (cpack -G DEB), one per install component, and a Windows .zip of the whole
# install (cpack -G ZIP in the cross build). scripts/package makes both from Release builds.
#
#   libzorvexa-image1  the shared library (libzorvexa_image.so.1)
#   libzorvexa-dev     headers, the .so link (or the static archive), CMake package, zorvexa.pc
#   zorvexa            the sample program and its asset tool
#
# Each package's Depends comes from dpkg-shlibdeps (dpkg-dev) on its binaries; libzorvexa-dev
# depends on the library package of the same version.
set(CPACK_PACKAGE_NAME zorvexa)
set(CPACK_PACKAGE_VENDOR "Zorvexa")
set(CPACK_PACKAGE_CONTACT "Zorvexa maintainers <maintainers@users.noreply.c-seed-0ec42327.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Image class library in the Win32 GDI tradition")
set(CPACK_STRIP_FILES ON)
if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_SYSTEM_NAME win64)
  else()
    set(CPACK_SYSTEM_NAME win32)
  endif()
endif()

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libzorvexa-image${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
    "Zorvexa image class library (shared library)\nImages in the Win32 GDI tradition: pixels \
and channels, 24-bit .bmp files, GDI import, blits with a colour key, alpha blending, drawing \
onto device contexts, lines and rectangles.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libzorvexa-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_DEV_DESCRIPTION
    "Zorvexa image class library (development files)\nHeaders, the CMake package \
(find_package(Zorvexa), target Zorvexa::image) and zorvexa.pc for pkg-config.")
if(ZVX_SHARED_LIBRARY)
  set(CPACK_COMPONENT_DEV_DEPENDS runtime)
endif()

set(CPACK_DEBIAN_SAMPLE_PACKAGE_NAME zorvexa)
set(CPACK_DEBIAN_SAMPLE_PACKAGE_SECTION graphics)
set(CPACK_COMPONENT_SAMPLE_DESCRIPTION
    "Zorvexa sample program\nzorvexa blends a cursor picture over a background and tints it \
on a click, with a sound; zorvexa_assets FOLDER draws its default files (osiri.bmp, hand.bmp, \
sound.wav).")

include(CPack)

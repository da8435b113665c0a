# What `cmake --install` puts where, in three components, which the packages follow:
#   runtime  the shared library (libzorvexa_image.so.1, or the DLL); nothing in a static build
#   dev      headers, the static archive or the .so link and import library, the CMake package,
#            zorvexa.pc (shared) or zorvexa-static.pc, the licence and the docs (ZorvexaDocs)
#   sample   zorvexa and zorvexa_assets (app/CMakeLists.txt)
# A static and a shared build install side by side into one prefix, as Debian's -dev packages
# ship both: each has its own targets file and .pc file, and the files both install (headers,
# ZorvexaConfig.cmake) are the same.
# The public headers go to include/zorvexa/image; the CMake package and zorvexa.pc put include/
# on the path, and programs write #include <zorvexa/image/MemoryImage.h>.
set(ZVX_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Zorvexa)
set(ZVX_KIND static)
if(ZVX_SHARED_LIBRARY)
  set(ZVX_KIND shared)
endif()

install(TARGETS ${ZVX_INSTALLED_LIBRARY} EXPORT ZorvexaTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev)
install(FILES ${ZVX_PUBLIC_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zorvexa/image COMPONENT dev)

# ---- CMake package: find_package(Zorvexa) gives Zorvexa::image, shared unless asked otherwise --
install(EXPORT ZorvexaTargets FILE ZorvexaTargets-${ZVX_KIND}.cmake NAMESPACE Zorvexa::
        DESTINATION ${ZVX_INSTALL_CMAKEDIR} COMPONENT dev)
include(CMakePackageConfigHelpers)
configure_package_config_file(cmake/ZorvexaConfig.cmake.in
  "${CMAKE_CURRENT_BINARY_DIR}/ZorvexaConfig.cmake"
  INSTALL_DESTINATION ${ZVX_INSTALL_CMAKEDIR})
write_basic_package_version_file("${CMAKE_CURRENT_BINARY_DIR}/ZorvexaConfigVersion.cmake"
  COMPATIBILITY SameMajorVersion)
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/ZorvexaConfig.cmake"
              "${CMAKE_CURRENT_BINARY_DIR}/ZorvexaConfigVersion.cmake"
        DESTINATION ${ZVX_INSTALL_CMAKEDIR} COMPONENT dev)

# ---- pkg-config: zorvexa.pc (shared), zorvexa-static.pc --------------------------------------
# The prefix is found from the file's own place (${pcfiledir}), so an install moved elsewhere, a
# package unpacked into a scratch root or `cmake --install --prefix` all describe themselves.
set(ZVX_PC_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
if(IS_ABSOLUTE "${ZVX_PC_DIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_INCLUDEDIR}")
  set(ZVX_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
else()
  file(RELATIVE_PATH ZVX_PC_UP "/root/${ZVX_PC_DIR}" "/root")
  string(REGEX REPLACE "/$" "" ZVX_PC_UP "${ZVX_PC_UP}")
  set(ZVX_PC_PREFIX "\${pcfiledir}/${ZVX_PC_UP}")
endif()
if(ZVX_SHARED_LIBRARY)
  set(ZVX_PC_NAME zorvexa)
  set(ZVX_PC_CFLAGS " -DZVX_SHARED")
  set(ZVX_PC_LIBS "-L\${libdir} -lzorvexa_image")
else()
  # The archive by its full path: -lzorvexa_image would take the shared library lying beside it.
  # Its users link what it calls themselves; where the C library holds the thread functions
  # (glibc 2.34 and later) that is nothing, natively.
  set(ZVX_PC_NAME zorvexa-static)
  set(ZVX_PC_CFLAGS "")
  list(TRANSFORM ZVX_SYSTEM_LIBRARIES PREPEND "-l" OUTPUT_VARIABLE ZVX_PC_LIBS)
  list(PREPEND ZVX_PC_LIBS "\${libdir}/$<TARGET_FILE_NAME:zorvexa_image>")
  list(APPEND ZVX_PC_LIBS ${CMAKE_THREAD_LIBS_INIT})
  list(JOIN ZVX_PC_LIBS " " ZVX_PC_LIBS)
  if(MINGW)
    # Said, not forced: -static would also take the program's other libraries and the C++ runtime
    # out of their DLLs, and linking winpthread alone statically leaves the runtime's own need.
    string(CONCAT ZVX_PC_NOTE "# On Windows the archive calls winpthread's mutexes: a program linked with it needs\n"
                          "# libwinpthread-1.dll beside it (as every mingw-w64 program of the posix thread model\n"
                          "# does) unless it is linked with -static.\n")
  endif()
endif()
configure_file(cmake/zorvexa.pc.in "${CMAKE_CURRENT_BINARY_DIR}/${ZVX_PC_NAME}.pc.in" @ONLY)
# Link options the library needs of its users (the sanitizers' runtimes in such builds), as the
# CMake package passes them on.
file(GENERATE OUTPUT "${CMAKE_CURRENT_BINARY_DIR}/${ZVX_PC_NAME}.pc"
     INPUT "${CMAKE_CURRENT_BINARY_DIR}/${ZVX_PC_NAME}.pc.in")
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/${ZVX_PC_NAME}.pc" DESTINATION ${ZVX_PC_DIR} COMPONENT dev)

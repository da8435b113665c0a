// ZVX_API marks what the library's binary offers its users: the image classes and, where there
// is no Windows, the Win32 functions of its own GDI and file layer. A shared build exports these
// and hides the rest; a static build needs no marks, and the macro then only restates the
// default.
//
// On Windows the library's own build defines ZVX_BUILDING_SHARED (export from the DLL) and its
// users define ZVX_SHARED (import from it; the CMake package and zorvexa.pc say so). A user who
// leaves ZVX_SHARED out still links, through the import library and the linker's auto-import.
#pragma once

#if defined(_WIN32)
#if defined(ZVX_BUILDING_SHARED)
#define ZVX_API __declspec(dllexport)
#elif defined(ZVX_SHARED)
#define ZVX_API __declspec(dllimport)
#else
#define ZVX_API
#endif
#else
#define ZVX_API __attribute__((visibility("default")))
#endif

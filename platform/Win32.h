// The one door to the operating system. Library and sample code include this header and call
// the Win32 API by its own names; on Windows it is the real <windows.h>, elsewhere the
// project's own declarations of exactly the subset the code uses (implemented in platform/posix).
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <mmsystem.h>
#else
#include "platform/posix/Win32Api.h"
#endif

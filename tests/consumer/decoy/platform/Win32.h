#error "the installed headers reached a program's own platform/Win32.h"

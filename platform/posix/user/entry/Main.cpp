// The process entry point on systems without Windows: hand over to the program's WinMain as the
// Windows runtime would. Kept out of the window layer's library so that test programs, which
// bring their own main, can link that library.
#include "platform/Win32.h"

int main()
{
    // The sample takes no arguments and reads no command line.
    static int instanceTag = 0;
    static char commandLine[] = "";
    return WinMain(reinterpret_cast<HINSTANCE>(&instanceTag), nullptr, commandLine, SW_SHOWDEFAULT);
}

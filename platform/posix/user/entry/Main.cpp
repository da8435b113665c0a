// The process entry point on systems without Windows: hand over to the program's WinMain as the
// Windows runtime would. Kept out of the window layer's library so that test programs, which
// bring their own main, can link that library.
#include <string>

#include "platform/Win32.h"

int main(int argc, char** argv)
{
    // WinMain sees the arguments after the program name, joined by spaces.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    static int instanceTag = 0;
    return WinMain(reinterpret_cast<HINSTANCE>(&instanceTag), nullptr, &commandLine[0], SW_SHOWDEFAULT);
}

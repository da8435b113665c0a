// PLACEHOLDER: not implemented yet; replaced by the SDL2 window, message and sound layer.
#include "platform/Win32.h"
BOOL sndPlaySoundA(LPCSTR, UINT) { return FALSE; }

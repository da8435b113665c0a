// Reading the click sound file whole into memory, for sndPlaySoundA to play from there.
#pragma once

#include "platform/Win32.h"

// The whole file in a block from std::malloc, or null when it cannot be opened or read whole, or
// is not a complete RIFF WAVE image (the player reads as far as the RIFF header says, and must
// find that much). The caller frees the block with std::free.
BYTE* LoadClickSound(const char* fileName);

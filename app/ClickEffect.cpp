// A left click warms a box of the background a little, for good, and plays the click sound.
#include "app/AppState.h"

namespace {

constexpr int kBoxHalfWidth = 60;       // columns x - 60 to x + 59
constexpr int kBoxHalfHeight = 40;      // rows y - 40 to y + 39
constexpr Pixel kUntouched = 0x0000FF;  // pure blue stays as it is

}  // namespace

void ClickEffect(int x, int y)
{
    for (int row = y - kBoxHalfHeight; row < y + kBoxHalfHeight; ++row) {
        for (int column = x - kBoxHalfWidth; column < x + kBoxHalfWidth; ++column) {
            if (g_background.GetColor(column, row) != kUntouched) {
                g_background.AddRed(column, row, +2);
                g_background.AddGreen(column, row, -1);
                g_background.AddBlue(column, row, -1);
            }
        }
    }
    // Synchronous: the window answers again, and shows the tint, once the sound has ended.
    if (g_sound != nullptr) ::sndPlaySoundA(reinterpret_cast<LPCSTR>(g_sound), SND_MEMORY);
}

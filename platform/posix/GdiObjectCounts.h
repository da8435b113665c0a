// What the GDI layer holds right now, so tests can show that nothing leaks. Not part of Win32;
// on Windows the tests ask GetGuiResources instead.
#pragma once

namespace zvx::platform {

struct LiveGdiObjects {
    int bitmaps = 0;  // DIB sections (stock bitmaps not counted)
    int dcs = 0;      // memory, screen and surface DCs
    int regions = 0;
    int pens = 0;
    int Total() const { return bitmaps + dcs + regions + pens; }
};

LiveGdiObjects CountLiveGdiObjects();

}  // namespace zvx::platform

#include <gtest/gtest.h>

#include "image/DibSectionImage.h"
#include "image/MemoryImage.h"

namespace {

TEST(Hierarchy, EveryPathToIImageMeetsAtOneObject)
{
    CDibSectionImage dib;
    IImage* direct = &dib;
    IImage* viaGdi = static_cast<IGdiImage*>(&dib);
    IImage* viaPixels = static_cast<IPixelBuffer*>(&dib);
    IImage* viaDib = static_cast<IDibImage*>(&dib);
    EXPECT_EQ(direct, viaGdi);
    EXPECT_EQ(direct, viaPixels);
    EXPECT_EQ(direct, viaDib);

    CMemoryImage memory(2, 2);
    IImage* memoryDirect = &memory;
    IImage* memoryViaPixels = static_cast<IPixelBuffer*>(&memory);
    EXPECT_EQ(memoryDirect, memoryViaPixels);
}

}  // namespace

#include <gtest/gtest.h>

#include "image/DibSectionImage.h"
#include "image/MemoryImage.h"

namespace {

TEST(Hierarchy, EveryPathToIImageMeetsAtOneObject)
{
    CDibSectionImage dib;
    IImage* direct = &dib;
    EXPECT_EQ(direct, static_cast<IImage*>(static_cast<IGdiImage*>(&dib)));
    EXPECT_EQ(direct, static_cast<IImage*>(static_cast<IPixelBuffer*>(&dib)));
    EXPECT_EQ(direct, static_cast<IImage*>(static_cast<IDibImage*>(&dib)));

    CMemoryImage memory(2, 2);
    IImage* memoryDirect = &memory;
    EXPECT_EQ(memoryDirect, static_cast<IImage*>(static_cast<IPixelBuffer*>(&memory)));
}

// Deleting through IImage must reach the concrete destructor, for both classes.
template <class Base>
class DestructionProbe : public Base {
public:
    template <class... Args>
    explicit DestructionProbe(bool* destroyed, Args... args) : Base(args...), m_destroyed(destroyed)
    {
    }
    ~DestructionProbe() override { *m_destroyed = true; }

private:
    bool* m_destroyed;
};

TEST(Hierarchy, DeletionThroughIImageRunsTheConcreteDestructor)
{
    bool memoryDestroyed = false;
    IImage* memory = new DestructionProbe<CMemoryImage>(&memoryDestroyed, 4, 4);
    delete memory;
    EXPECT_TRUE(memoryDestroyed);

    bool dibDestroyed = false;
    IImage* dib = new DestructionProbe<CDibSectionImage>(&dibDestroyed);
    delete dib;
    EXPECT_TRUE(dibDestroyed);
}

TEST(Hierarchy, EmptyHeapImagesAreSafeToUse)
{
    for (auto size : {std::pair{0, 5}, std::pair{-1, 3}, std::pair{-2, -3}}) {
        CMemoryImage image(size.first, size.second);
        EXPECT_EQ(image.GetWidth(), 0);
        EXPECT_EQ(image.GetHeight(), 0);
        EXPECT_EQ(image.GetScanLine(0), nullptr);
        EXPECT_EQ(image.GetPixel(0, 0), 0u);
        EXPECT_FALSE(image.SetPixel(0, 0, 1));
        EXPECT_FALSE(image.AddRed(0, 0, 1));
    }
}

TEST(Hierarchy, NewDibSectionImageIsBlack128WithHandles)
{
    CDibSectionImage image;
    ASSERT_EQ(image.GetWidth(), 128);
    ASSERT_EQ(image.GetHeight(), 128);
    EXPECT_EQ(image.GetColorKey(), COLORKEY_NONE);
    EXPECT_NE(image.GetBitmap(), nullptr);
    EXPECT_NE(image.GetDC(), nullptr);
    EXPECT_EQ(image.GetDC(), image.GetMemoryDC());
    EXPECT_EQ(image.GetBitmapInfo()->bmiHeader.biWidth, 128);
    EXPECT_EQ(image.GetBitmapInfo()->bmiHeader.biHeight, -128);
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) ASSERT_EQ(image.GetPixel(x, y), 0u) << x << "," << y;
    }
}

}  // namespace

#include "image/FastPaths.h"

#include <cstdint>
#include <typeinfo>

#include "image/DibSectionImage.h"
#include "image/ImageStorage.h"
#include "image/MemoryImage.h"

namespace zvx {

namespace {

// The pixel array of a CMemoryImage or CDibSectionImage, derived or not, read by qualified calls,
// which a derived class does not see; an empty view for any other image.
PixelRows StorageOf(const IImage& image)
{
    if (const auto* heap = dynamic_cast<const CMemoryImage*>(&image)) {
        return PackedRows(heap->CMemoryImage::GetScanLine(0), heap->CMemoryImage::GetWidth(),
                          heap->CMemoryImage::GetHeight());
    }
    if (const auto* dib = dynamic_cast<const CDibSectionImage*>(&image)) {
        return PackedRows(dib->CDibSectionImage::GetScanLine(0), dib->CDibSectionImage::GetWidth(),
                          dib->CDibSectionImage::GetHeight());
    }
    return {};
}

}  // namespace

PlainImage PlainRows(const IImage& image)
{
    const std::type_info& type = typeid(image);
    if (type != typeid(CMemoryImage) && type != typeid(CDibSectionImage)) return {};
    return {StorageOf(image), true};
}

bool HoldsAnyOf(const IImage& image, const void* bytes, std::size_t size)
{
    const PixelRows storage = StorageOf(image);
    if (!storage.IsValid() || size == 0) return false;
    const auto low = reinterpret_cast<std::uintptr_t>(storage.first);
    const auto high = low + static_cast<std::uintptr_t>(storage.stride) * static_cast<std::uintptr_t>(storage.height);
    const auto from = reinterpret_cast<std::uintptr_t>(bytes);
    return from < high && (from >= low || low - from < size);
}

PlainPair PlainRows(const IImage& source, const IImage& dest)
{
    const PlainImage from = PlainRows(source);
    if (!from) return {};
    const PlainImage to = PlainRows(dest);
    if (!to) return {};
    return {from.rows, to.rows, true};
}

bool CreateToOverwrite(IImage& image, int width, int height)
{
    // For a plain image that already has pixels of this size, Create would only make storage of
    // the same shape and clear it: the pixels come out the same, and the DIB section is kept. Its
    // DC is new, as Create's is: nothing a caller left selected in the old one (a clip region, a
    // pen, a position) outlives the re-creation.
    if (PlainRows(image) && IsCreatableSize(width, height) && image.GetWidth() == width &&
        image.GetHeight() == height) {
        auto* dib = dynamic_cast<CDibSectionImage*>(&image);
        return dib == nullptr || RenewMemoryDC(*dib);
    }
    return image.Create(width, height, 0);
}

}  // namespace zvx

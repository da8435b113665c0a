#include "image/FastPaths.h"

#include <typeinfo>

#include "image/DibSectionImage.h"
#include "image/MemoryImage.h"

namespace zvx {

PlainImage PlainRows(const IImage& image)
{
    const std::type_info& type = typeid(image);
    if (type != typeid(CMemoryImage) && type != typeid(CDibSectionImage)) return {};
    const auto& buffer = dynamic_cast<const IPixelBuffer&>(image);
    return {PackedRows(buffer.GetScanLine(0), buffer.GetWidth(), buffer.GetHeight()), true};
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
    // the same shape and clear it: the pixels come out the same, the DIB section and its DC are
    // simply kept.
    if (PlainRows(image) && IsCreatableSize(width, height) && image.GetWidth() == width &&
        image.GetHeight() == height) {
        return true;
    }
    return image.Create(width, height, 0);
}

}  // namespace zvx

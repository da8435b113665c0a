#include "image/PlainImage.h"

#include <typeinfo>

#include "image/DibSectionImage.h"
#include "image/MemoryImage.h"

namespace zvx {

const IPixelBuffer* PlainPixels(const IImage& image)
{
    const std::type_info& type = typeid(image);
    if (type != typeid(CMemoryImage) && type != typeid(CDibSectionImage)) return nullptr;
    return dynamic_cast<const IPixelBuffer*>(&image);
}

IPixelBuffer* PlainPixels(IImage& image)
{
    return const_cast<IPixelBuffer*>(PlainPixels(static_cast<const IImage&>(image)));
}

}  // namespace zvx

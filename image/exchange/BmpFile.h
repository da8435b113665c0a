// 24-bit .bmp files: reading, writing and the in-memory file image.
#pragma once

#include <cstddef>

#include "image/IImage.h"

namespace zvx {

// Reads the file whole and hands it, with its size, to the sized LoadFromMemory.
bool LoadBmp(IImage& image, const char* fileName);
// Writes beside the target first and replaces it only once the whole file is written.
bool SaveBmp(IImage& image, const char* fileName);
// The unsized form: the caller vouches that data holds the whole file.
bool LoadFromMemory(IImage& image, const void* data, int format);
// Refuses data too short for what JudgeBmp finds it to announce, and hands the rest to the
// image's own LoadFromMemory.
bool LoadFromMemory(IImage& image, const void* data, std::size_t size, int format);

}  // namespace zvx

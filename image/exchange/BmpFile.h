// 24-bit .bmp files: reading, writing and the in-memory file image.
#pragma once

#include <cstddef>

#include "image/IImage.h"

namespace zvx {

// Reads the file whole and hands it to the image's own LoadFromMemory, after checking that every
// byte the header points at lies within what was read.
bool LoadBmp(IImage& image, const char* fileName);
// Writes beside the target first and replaces it only once the whole file is written.
bool SaveBmp(IImage& image, const char* fileName);
// The unsized form: the caller vouches that data holds the whole file.
bool LoadFromMemory(IImage& image, const void* data, int format);
// Whether a .bmp file image of size bytes is one that LoadFromMemory may read safely.
bool IsReadableBmp(const void* data, std::size_t size);

}  // namespace zvx

// Reading and writing 24-bit .bmp files, from memory and from disk, against SDL2 and stb_image.
#include "BenchCase.h"
#include "Pictures.h"
#include "Surfaces.h"

#include <stb_image.h>

#include <string>

namespace zvx::bench {
namespace {

template <class Image>
void OursLoadFromMemory(benchmark::State& state, const BmpFile& file)
{
    // Loaded once before timing: from then on every load is into an image of the same size.
    Image image;
    image.LoadFromMemory(file.bytes.data(), IMAGE_FORMAT_BMPFILE);
    for (auto _ : state) {
        image.LoadFromMemory(file.bytes.data(), IMAGE_FORMAT_BMPFILE);
        benchmark::ClobberMemory();
    }
}

template <class Image>
void OursLoadBmp(benchmark::State& state, const BmpFile& file)
{
    Image image;
    image.LoadBmp(file.path.c_str());
    for (auto _ : state) {
        image.LoadBmp(file.path.c_str());
        benchmark::ClobberMemory();
    }
}

template <class Image>
void OursSaveBmp(benchmark::State& state, int width, int height)
{
    Image image;
    MakePicture(image, width, height, 3);
    const std::string path = ScratchFile("ours-save.bmp");
    for (auto _ : state) image.SaveBmp(path.c_str());
}

void SdlLoad(benchmark::State& state, const BmpFile& file, bool fromDisk)
{
    for (auto _ : state) {
        SDL_RWops* stream = fromDisk ? SDL_RWFromFile(file.path.c_str(), "rb")
                                     : SDL_RWFromConstMem(file.bytes.data(), static_cast<int>(file.bytes.size()));
        SDL_Surface* surface = SDL_LoadBMP_RW(stream, 1);
        benchmark::DoNotOptimize(surface);
        SDL_FreeSurface(surface);
    }
}

void StbLoad(benchmark::State& state, const BmpFile& file, bool fromDisk)
{
    for (auto _ : state) {
        int w = 0;
        int h = 0;
        int channels = 0;
        // Four channels out: a 32-bit pixel per pixel, as our images hold.
        stbi_uc* pixels = fromDisk ? stbi_load(file.path.c_str(), &w, &h, &channels, 4)
                                   : stbi_load_from_memory(file.bytes.data(), static_cast<int>(file.bytes.size()), &w,
                                                           &h, &channels, 4);
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
}

void SdlSave(benchmark::State& state, int width, int height)
{
    CMemoryImage picture(1, 1);
    MakePicture(picture, width, height, 3);
    SDL_Surface* surface = ToSurface(picture);
    const std::string path = ScratchFile("sdl-save.bmp");
    for (auto _ : state) SDL_SaveBMP_RW(surface, SDL_RWFromFile(path.c_str(), "wb"), 1);
    SDL_FreeSurface(surface);
}

}  // namespace

void AddExchangeCases()
{
    const int sizes[][2] = {{1920, 1080}, {4096, 4096}};
    for (const auto& size : sizes) {
        const int w = size[0];
        const int h = size[1];
        const std::string dims = std::to_string(w) + "x" + std::to_string(h);
        const double pixels = static_cast<double>(w) * h;
        // The file's rows are read and the image's words written (or the other way round).
        const double bytes = pixels * 4.0 + (((w * 3.0 + 3) / 4) * 4) * h;

        // LoadFromMemory's floor is one memcpy of the image's 32-bit pixels.
        std::string name = "b. LoadFromMemory " + dims;
        AddCase(name, pixels, bytes, {4.0 * pixels});
        AddTarget({"LoadFromMemory " + dims + " into the same size vs memcpy of its 32-bit pixels", name, name,
                   Who::Floor, 1.3});
        AddRun(name, Who::Ours, [w, h](benchmark::State& s) { OursLoadFromMemory<CDibSectionImage>(s, Bmp(w, h)); });
        // The general path at 4096 x 4096 takes seconds a run and shows nothing new.
        const bool general = w * h <= 1920 * 1080;
        if (general) {
            AddRun(name, Who::General, [w, h](benchmark::State& s) { OursLoadFromMemory<GeneralDib>(s, Bmp(w, h)); });
        }
        AddRun(name, Who::Sdl2, [w, h](benchmark::State& s) { SdlLoad(s, Bmp(w, h), false); });
        AddRun(name, Who::Stb, [w, h](benchmark::State& s) { StbLoad(s, Bmp(w, h), false); });

        name = "b. LoadBmp " + dims;
        AddCase(name, pixels, bytes);
        AddRun(name, Who::Ours, [w, h](benchmark::State& s) { OursLoadBmp<CDibSectionImage>(s, Bmp(w, h)); });
        if (general) AddRun(name, Who::General, [w, h](benchmark::State& s) { OursLoadBmp<GeneralDib>(s, Bmp(w, h)); });
        AddRun(name, Who::Sdl2, [w, h](benchmark::State& s) { SdlLoad(s, Bmp(w, h), true); });
        AddRun(name, Who::Stb, [w, h](benchmark::State& s) { StbLoad(s, Bmp(w, h), true); });

        name = "c. SaveBmp " + dims;
        AddCase(name, pixels, bytes);
        AddRun(name, Who::Ours, [w, h](benchmark::State& s) { OursSaveBmp<CDibSectionImage>(s, w, h); });
        if (general) AddRun(name, Who::General, [w, h](benchmark::State& s) { OursSaveBmp<GeneralDib>(s, w, h); });
        AddRun(name, Who::Sdl2, [w, h](benchmark::State& s) { SdlSave(s, w, h); });
    }
    for (const auto& size : sizes) {
        const std::string dims = std::to_string(size[0]) + "x" + std::to_string(size[1]);
        const std::string name = "b. LoadFromMemory " + dims;
        AddTarget(
            {"LoadFromMemory " + dims + " vs SDL_LoadBMP_RW (which keeps 24-bit rows)", name, name, Who::Sdl2, 0});
    }
}

}  // namespace zvx::bench

// Speed of the SDL images: 640x480 32-bit blits (plain, alpha-blended, verbatim alpha copy) in
// megapixels per second, blended PutPixel calls per second, and 1,000 loads of one picture
// through the texture manager (read once) against 1,000 loads that each read the file.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "support/benchdisplay.h"
#include "tarn/gfx/ctexturemanager.h"
#include "tarn/gfx/ipixel.h"
#include "tarn/gfx/sdl/cgfxfactorysdl.h"
#include "tarn/gfx/sdl/cpixelsdl.h"

namespace {

const int kWidth = benchsupport::kDisplayWidth;
const int kHeight = benchsupport::kDisplayHeight;

std::unique_ptr<tarn::CPixelSDL> MakeImage(bool alpha) {
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, kWidth, kHeight, 32, 0x00FF0000, 0x0000FF00,
                                                0x000000FF, alpha ? 0xFF000000 : 0);
    SDL_FillRect(surface, nullptr, SDL_MapRGBA(surface->format, 40, 80, 120, 128));
    return std::make_unique<tarn::CPixelSDL>(surface);
}

void CountPixels(benchmark::State& state, long long perIteration) {
    state.SetItemsProcessed(state.iterations() * perIteration);
    state.counters["Mpixel/s"] =
        benchmark::Counter(static_cast<double>(state.iterations() * perIteration) / 1e6, benchmark::Counter::kIsRate);
}

void BM_Blit32(benchmark::State& state) {
    benchsupport::EnsureDisplay();
    auto source = MakeImage(false);
    auto target = MakeImage(false);
    for (auto _ : state) benchmark::DoNotOptimize(source->Blit(target.get()));
    CountPixels(state, kWidth * kHeight);
}
BENCHMARK(BM_Blit32);

void BM_AlphaBlit(benchmark::State& state) {
    benchsupport::EnsureDisplay();
    auto source = MakeImage(true);
    SDL_SetAlpha(source->GetRawSurface(), SDL_SRCALPHA, 255);
    auto target = MakeImage(false);
    for (auto _ : state) benchmark::DoNotOptimize(source->Blit(target.get()));
    CountPixels(state, kWidth * kHeight);
}
BENCHMARK(BM_AlphaBlit);

void BM_RawAlphaCopy(benchmark::State& state) {
    benchsupport::EnsureDisplay();
    auto source = MakeImage(true);
    source->SetOption(tarn::PIXEL_OPTION_COPY_ALPHA, 1);
    auto target = MakeImage(true);
    for (auto _ : state) benchmark::DoNotOptimize(source->Blit(target.get()));
    CountPixels(state, kWidth * kHeight);
}
BENCHMARK(BM_RawAlphaCopy);

void BM_PutPixelBlended(benchmark::State& state) {
    benchsupport::EnsureDisplay();
    auto target = MakeImage(false);
    const tarn::CColor color(250, 10, 30, 128);
    for (auto _ : state) {
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) target->PutPixel(x, y, color);
        }
    }
    CountPixels(state, kWidth * kHeight);
}
BENCHMARK(BM_PutPixelBlended)->Unit(benchmark::kMillisecond);

// A 256x256 picture on disk: PNG when ImageMagick is there, BMP otherwise.
const std::string& PictureFile() {
    static std::string name;
    if (!name.empty()) return name;
    benchsupport::EnsureDisplay();
    const std::string png = "/tmp/tarn-bench-picture.png";
    if (std::system(("convert -size 256x256 plasma:fractal -seed 5 " + png + " > /dev/null 2>&1").c_str()) == 0) {
        name = png;
        return name;
    }
    name = "/tmp/tarn-bench-picture.bmp";
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 256, 256, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_SaveBMP(surface, name.c_str());
    SDL_FreeSurface(surface);
    return name;
}

const int kLoads = 1000;

// One image stays loaded, so every other load shares its surface.
void BM_Load1000Shared(benchmark::State& state) {
    tarn::CGfxFactorySDL factory;
    const std::string& file = PictureFile();
    std::vector<tarn::IPixel*> images(kLoads);
    for (auto _ : state) {
        for (int i = 0; i < kLoads; ++i) images[i] = factory.LoadImage(file, tarn::CColor::DefaultKey());
        state.PauseTiming();
        for (tarn::IPixel* image : images) factory.ReleaseImage(image);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kLoads);
}
BENCHMARK(BM_Load1000Shared)->Unit(benchmark::kMillisecond);

// Each image is released before the next load, so every load reads and decodes the file.
void BM_Load1000Unshared(benchmark::State& state) {
    tarn::CGfxFactorySDL factory;
    const std::string& file = PictureFile();
    for (auto _ : state) {
        for (int i = 0; i < kLoads; ++i) factory.ReleaseImage(factory.LoadImage(file, tarn::CColor::DefaultKey()));
    }
    state.SetItemsProcessed(state.iterations() * kLoads);
}
BENCHMARK(BM_Load1000Unshared)->Unit(benchmark::kMillisecond);

}  // namespace

// Our screen layer against plain SDL on the same pictures, 640x480x32: a full redraw (level
// background and 40 marbles) and a frame where all 40 marbles move. Each pair runs in one
// benchmark, alternating, and reports both times and their ratio. Run from a build directory
// where the game content is staged (data/gfx/).
#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/benchdisplay.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"

namespace {

const int kWidth = benchsupport::kDisplayWidth;
const int kHeight = benchsupport::kDisplayHeight;
const int kMarbles = 40;
const int kMarbleSize = 32;
const char* const kBackground = "data/gfx/levels/chapter1_level01.png";

std::string MarbleFile(int i) { return "data/gfx/marbles/marble" + std::to_string(i % 5) + ".png"; }
int MarbleX(int i) { return 40 + (i * 97) % 560; }
int MarbleY(int i) { return 40 + (i * 61) % 400; }

// The pictures as a plain SDL program loads them: converted to the display's format, with
// an alpha channel when the file has one.
struct CPlainScene {
    CPlainScene() {
        background = Load(kBackground);
        for (int i = 0; i < 5; ++i) marbles.push_back(Load(MarbleFile(i)));
    }
    ~CPlainScene() {
        SDL_FreeSurface(background);
        for (SDL_Surface* marble : marbles) SDL_FreeSurface(marble);
    }
    static SDL_Surface* Load(const std::string& file) {
        SDL_Surface* loaded = IMG_Load(file.c_str());
        if (!loaded) return nullptr;
        SDL_Surface* converted = loaded->format->Amask ? SDL_DisplayFormatAlpha(loaded) : SDL_DisplayFormat(loaded);
        SDL_FreeSurface(loaded);
        return converted;
    }
    bool IsLoaded() const {
        for (SDL_Surface* marble : marbles) {
            if (!marble) return false;
        }
        return background != nullptr;
    }
    void DrawMarbles(SDL_Surface* screen, int offset) {
        for (int i = 0; i < kMarbles; ++i) {
            SDL_Rect src{0, 0, kMarbleSize, kMarbleSize};
            SDL_Rect dst{static_cast<Sint16>(MarbleX(i) + offset), static_cast<Sint16>(MarbleY(i)), 0, 0};
            SDL_BlitSurface(marbles[i % 5], &src, screen, &dst);
        }
    }
    void FullRedraw(SDL_Surface* screen) {
        SDL_BlitSurface(background, nullptr, screen, nullptr);
        DrawMarbles(screen, 0);
        SDL_UpdateRect(screen, 0, 0, 0, 0);
    }
    // Every marble moves by one pixel: the background goes back under the old places, the
    // marbles are drawn at the new ones, and both places are sent to the display.
    void MoveAll(SDL_Surface* screen, int from, int to) {
        std::vector<SDL_Rect> dirty;
        for (int i = 0; i < kMarbles; ++i) {
            SDL_Rect old{static_cast<Sint16>(MarbleX(i) + from), static_cast<Sint16>(MarbleY(i)), kMarbleSize,
                         kMarbleSize};
            SDL_Rect at = old;
            SDL_BlitSurface(background, &old, screen, &at);
            dirty.push_back(old);
            dirty.push_back(SDL_Rect{static_cast<Sint16>(MarbleX(i) + to), static_cast<Sint16>(MarbleY(i)), kMarbleSize,
                                     kMarbleSize});
        }
        DrawMarbles(screen, to);
        SDL_UpdateRects(screen, static_cast<int>(dirty.size()), dirty.data());
    }

    SDL_Surface* background = nullptr;
    std::vector<SDL_Surface*> marbles;
};

// The same pictures as sprites of the screen layer.
struct COurScene {
    COurScene() {
        background = Make(tarn::LoadImage(kBackground), 1000, 0, 0);
        for (int i = 0; i < kMarbles; ++i) {
            tarn::IPixel* image = tarn::LoadImage(MarbleFile(i));
            image->SetRect(tarn::CRect(0, 0, kMarbleSize, kMarbleSize));
            marbles.push_back(Make(image, 10 + i, MarbleX(i), MarbleY(i)));
        }
        Frame();
    }
    static tarn::CSpriteHandle Make(tarn::IPixel* image, int z, int x, int y) {
        tarn::CSpriteHandle sprite = tarn::CSpriteFactory::MakeHandle(new tarn::CSprite(image));
        sprite->SetZ(z);
        sprite->SetPosition(x, y);
        sprite->SetParent(tarn::CScreenLayer::GetSingleton());
        return sprite;
    }
    static void Frame() {
        tarn::CScreenLayer::GetSingleton()->Refresh();
        tarn::GetScreen()->Update();
    }
    // Changing the farthest sprite makes every sprite due.
    void FullRedraw() {
        background->Invalidate();
        Frame();
    }
    void MoveAll(int to) {
        for (int i = 0; i < kMarbles; ++i) marbles[i]->SetPosition(MarbleX(i) + to, MarbleY(i));
        Frame();
    }

    tarn::CSpriteHandle background;
    std::vector<tarn::CSpriteHandle> marbles;
};

double Microseconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
}

// Runs ours and SDL's alternately; reports the mean of each and ours / SDL's.
template <class Ours, class Plain>
void Compare(benchmark::State& state, Ours ours, Plain plain) {
    double oursTotal = 0;
    double plainTotal = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        ours();
        oursTotal += Microseconds(start);
        start = std::chrono::steady_clock::now();
        plain();
        plainTotal += Microseconds(start);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["ours_us"] = oursTotal / n;
    state.counters["sdl_us"] = plainTotal / n;
    state.counters["ratio"] = plainTotal > 0 ? oursTotal / plainTotal : 0;
}

void BM_FullRedrawOursVsSDL(benchmark::State& state) {
    benchsupport::EnsureDisplay();
    CPlainScene plain;
    if (!plain.IsLoaded()) {
        state.SkipWithError("run from a build directory with the staged data/");
        return;
    }
    COurScene ours;
    SDL_Surface* screen = SDL_GetVideoSurface();
    Compare(state, [&] { ours.FullRedraw(); }, [&] { plain.FullRedraw(screen); });
}
BENCHMARK(BM_FullRedrawOursVsSDL)->Unit(benchmark::kMicrosecond);

void BM_MoveFortyMarblesOursVsSDL(benchmark::State& state) {
    benchsupport::EnsureDisplay();
    CPlainScene plain;
    if (!plain.IsLoaded()) {
        state.SkipWithError("run from a build directory with the staged data/");
        return;
    }
    COurScene ours;
    SDL_Surface* screen = SDL_GetVideoSurface();
    plain.FullRedraw(screen);
    int at = 0;
    Compare(
        state, [&] { ours.MoveAll((at + 1) % 2); },
        [&] {
            plain.MoveAll(screen, at % 2, (at + 1) % 2);
            ++at;
        });
}
BENCHMARK(BM_MoveFortyMarblesOursVsSDL)->Unit(benchmark::kMicrosecond);

}  // namespace

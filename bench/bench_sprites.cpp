// Speed of the sprite drawing: a 640x480 screen layer holding 10 to 1,000 sprites of 32x32,
// refreshed after moving the nearest sprite (one erased and redrawn) or the farthest one
// (every sprite erased and redrawn); and the animation scheduler stepping 1,000 playing
// sprites of which only the due prefix is touched.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "support/benchdisplay.h"
#include "tarn/gfx/canimatedsprite.h"
#include "tarn/gfx/canimation.h"
#include "tarn/gfx/canimationupdater.h"
#include "tarn/gfx/cframerect.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"

namespace {

const int kWidth = benchsupport::kDisplayWidth;
const int kHeight = benchsupport::kDisplayHeight;

// count sprites spread over the screen, Z 1 (nearest) to count (farthest), all drawn once.
std::vector<tarn::CSpriteHandle> Scene(int count) {
    benchsupport::EnsureDisplay();
    std::vector<tarn::CSpriteHandle> sprites;
    for (int i = 0; i < count; ++i) {
        tarn::IPixel* image = tarn::CreateImage(32, 32);
        image->ClearRect(tarn::CRect(0, 0, 32, 32));
        sprites.push_back(tarn::CSpriteFactory::MakeHandle(new tarn::CSprite(image)));
        sprites.back()->SetZ(i + 1);
        sprites.back()->SetPosition((i * 37) % (kWidth - 32), (i * 53) % (kHeight - 32));
        sprites.back()->SetParent(tarn::CScreenLayer::GetSingleton());
    }
    tarn::CScreenLayer::GetSingleton()->RedrawAll();
    tarn::CScreenLayer::GetSingleton()->Refresh();
    tarn::GetScreen()->Update();
    return sprites;
}

void MoveAndRefresh(benchmark::State& state, bool farthest) {
    std::vector<tarn::CSpriteHandle> sprites = Scene(static_cast<int>(state.range(0)));
    tarn::CSprite* moved = farthest ? sprites.back().get() : sprites.front().get();
    int step = 0;
    for (auto _ : state) {
        moved->SetPosition(100 + step % 7, 100);
        tarn::CScreenLayer::GetSingleton()->Refresh();
        tarn::GetScreen()->Update();
        ++step;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_MoveNearestSprite(benchmark::State& state) { MoveAndRefresh(state, false); }
BENCHMARK(BM_MoveNearestSprite)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_MoveFarthestSprite(benchmark::State& state) { MoveAndRefresh(state, true); }
BENCHMARK(BM_MoveFarthestSprite)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// 1,000 playing sprites without images; every 16 ms only those whose 100 to 1,090 ms frame
// has run out are stepped.
void BM_AnimationScheduler1000(benchmark::State& state) {
    std::vector<std::unique_ptr<tarn::CAnimatedSprite>> sprites;
    for (int i = 0; i < 1000; ++i) {
        auto animation = std::make_unique<tarn::CAnimation>("a");
        const tarn::types::ticks length = 100 + static_cast<tarn::types::ticks>(i % 100) * 10;
        for (int f = 0; f < 4; ++f) animation->AddFrame(std::make_unique<tarn::CFrameRect>(tarn::CRect(), length));
        sprites.push_back(std::make_unique<tarn::CAnimatedSprite>());
        sprites.back()->AddAnimation(std::move(animation));
        sprites.back()->Play();
    }
    tarn::types::ticks now = 1;
    for (auto _ : state) {
        tarn::CAnimationUpdater::GetSingleton()->Update(now);
        now += 16;
    }
    state.SetItemsProcessed(state.iterations());
    for (auto& sprite : sprites) sprite->Stop();
}
BENCHMARK(BM_AnimationScheduler1000)->Unit(benchmark::kMicrosecond);

}  // namespace

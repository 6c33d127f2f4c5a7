// Text layout speed: word-wrapping a paragraph of about 2000 characters into a 300 pixel
// column with each alignment (glyph positions only, nothing is blitted).
#include <benchmark/benchmark.h>

#include <string>

#include "tarn/gfx/cfont.h"
#include "tarn/gfx/ctextlayout.h"

namespace {

std::string Paragraph() {
    const std::string sentence = "The marble rolls down the slope and stops at the third peg. ";
    std::string text;
    while (text.size() < 2000) text += sentence;
    return text;
}

void BM_LayoutParagraph(benchmark::State& state) {
    tarn::CFont font;
    for (int c = 33; c < 127; ++c) font.SetCharRect(static_cast<unsigned char>(c), tarn::CRect(0, 0, 7, 15));
    font.SetLetterSpacing(1);
    font.SetSpaceWidth(8);
    font.SetLineHeight(15);
    font.SetLayout(static_cast<int>(state.range(0)));
    const std::string text = Paragraph();
    const tarn::CRect area(0, 0, 300, 100000);
    for (auto _ : state) benchmark::DoNotOptimize(font.DrawTextInArea(nullptr, text, area));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_LayoutParagraph)->Arg(tarn::TEXT_LAYOUT_LEFT)->Arg(tarn::TEXT_LAYOUT_CENTER)->Arg(tarn::TEXT_LAYOUT_JUSTIFY);

}  // namespace

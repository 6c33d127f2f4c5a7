// Tests that what the player must see stands out: the shipped marbles' hint and selection
// rims against the plain marble of every type in greyscale (contrast of relative luminance),
// and the status bar across the whole screen in the game's own lettering.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "marbles/game/cgamehud.h"
#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/gfx/cfont.h"
#include "tarn/gfx/sdl/cpixelsdlscreen.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/crect.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"
#include "tarn/utils/xml/cxmlnode.h"
#include "tarn/utils/xml/xmltree.h"

namespace {

const int MARBLE = 32;
// A level background's dark blue behind the marble.
const tarn::CColor BACKDROP(40, 50, 70);

// Relative luminance (sRGB linearised, as greyscale sees it).
double Luminance(const tarn::CColor& c) {
    const auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

double Contrast(const tarn::CColor& a, const tarn::CColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The frame rectangles of an animation of a sprite file, in order.
std::vector<tarn::CRect> Frames(const std::string& spriteFile, const std::string& animation) {
    std::vector<tarn::CRect> frames;
    std::unique_ptr<tarn::CXmlNode> root(tarn::LoadXmlTree(spriteFile));
    for (int i = 0; root && i < root->GetChildCount(); ++i) {
        const tarn::CXmlNode* node = root->GetChild(i);
        if (node->GetName() != "Animation" || node->GetAttribute("name").ToText() != animation) continue;
        for (int f = 0; f < node->GetChildCount(); ++f) {
            const tarn::CXmlNode* rect =
                node->GetChild(f)->GetChildCount() > 0 ? node->GetChild(f)->GetChild(0) : nullptr;
            if (!rect) continue;
            const auto at = [rect](const char* name) { return std::stoi(rect->GetAttribute(name).ToText()); };
            frames.emplace_back(at("x"), at("y"), at("w"), at("h"));
        }
    }
    return frames;
}

// The frame of sheet as the screen shows it over the backdrop (the engine's blit).
std::vector<tarn::CColor> Drawn(tarn::IPixel* sheet, const tarn::CRect& frame) {
    tarn::IPixel* cell = testsupport::SolidImage(MARBLE, MARBLE, BACKDROP);
    sheet->BlitTo(cell, frame, tarn::CRect(0, 0, MARBLE, MARBLE));
    std::vector<tarn::CColor> pixels;
    for (int y = 0; y < MARBLE; ++y)
        for (int x = 0; x < MARBLE; ++x) pixels.push_back(cell->GetPixel(x, y));
    tarn::ReleaseImage(cell);
    return pixels;
}

// The share of the marble's rim (from 70 to 95 % of its radius) where the two looks differ by
// a contrast of at least 3:1 in greyscale.
double RimChanged(const std::vector<tarn::CColor>& look, const std::vector<tarn::CColor>& plain) {
    const double radius = MARBLE / 2.0 - 0.5;
    int rim = 0;
    int changed = 0;
    for (int y = 0; y < MARBLE; ++y) {
        for (int x = 0; x < MARBLE; ++x) {
            const double d = std::hypot(x + 0.5 - MARBLE / 2.0, y + 0.5 - MARBLE / 2.0);
            if (d < 0.7 * radius || d > 0.95 * radius) continue;
            ++rim;
            const auto i = static_cast<std::size_t>(y * MARBLE + x);
            if (Contrast(look[i], plain[i]) >= 3.0) ++changed;
        }
    }
    return static_cast<double>(changed) / rim;
}

class MarbleLooks : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(myDisplay.IsOpen());
        testsupport::CopyShippedData(MARBLES_SOURCE_DIR);
    }
    void TearDown() override { testsupport::ResetEngine(); }

    testsupport::CTempDir myDir;
    testsupport::CGfxDisplay myDisplay{640, 480};
};

}  // namespace

TEST_F(MarbleLooks, HintAndSelectionRimsStandOutOnEveryMarbleInGreyscale) {
    for (int type = 0; type < 6; ++type) {
        const std::string file = "data/gfx/marbles/marble" + std::to_string(type);
        tarn::IPixel* sheet = tarn::LoadImage(file + ".png");
        ASSERT_FALSE(sheet->IsNullImage()) << file;
        const std::vector<tarn::CRect> normal = Frames(file + ".xml", "normal");
        const std::vector<tarn::CRect> hint = Frames(file + ".xml", "highlight");
        const std::vector<tarn::CRect> selected = Frames(file + ".xml", "selected");
        ASSERT_EQ(normal.size(), 1u) << file;
        ASSERT_GE(hint.size(), 2u) << file << ": the hint moves";
        ASSERT_EQ(selected.size(), 1u) << file;
        const std::vector<tarn::CColor> plain = Drawn(sheet, normal[0]);
        const std::vector<tarn::CColor> ring = Drawn(sheet, selected[0]);
        EXPECT_GE(RimChanged(ring, plain), 0.4) << file << " selected";
        for (std::size_t f = 0; f < hint.size(); ++f) {
            const std::vector<tarn::CColor> look = Drawn(sheet, hint[f]);
            EXPECT_GE(RimChanged(look, plain), 0.4) << file << " hint frame " << f;
            // A hinted marble never passes for a selected one, and its rim turns.
            EXPECT_GE(RimChanged(look, ring), 0.3) << file << " hint frame " << f << " against the selection";
            EXPECT_GE(RimChanged(look, Drawn(sheet, hint[(f + 1) % hint.size()])), 0.2) << file << " frame " << f;
        }
        tarn::ReleaseImage(sheet);
    }
}

TEST_F(MarbleLooks, TheStatusBarSpansTheScreenInTheGamesLettering) {
    std::unique_ptr<tarn::CFont> font(marbles::CGameHud::MakeFont());
    // The pictures' 5x7 dots at two pixels each: 12 pixels a letter, 14 a line.
    EXPECT_EQ(font->GetTextWidth("Level"), 60);
    EXPECT_EQ(font->GetLineHeight(), 14);
    marbles::CGameHud hud;
    hud.ShowStatus(marbles::CGameHud::StatusText(24, 24, 60, 20, 999, 3599));
    tarn::CScreenLayer::GetSingleton()->Refresh();
    // The longest line fits, and the bar runs from edge to edge under the playfield.
    EXPECT_LE(font->GetTextWidth(hud.GetStatus()), 640 - 12);
    const tarn::CColor left = myDisplay.Screen()->GetPixel(1, marbles::CGameHud::BAR_Y + 2);
    const tarn::CColor right = myDisplay.Screen()->GetPixel(638, 479);
    EXPECT_EQ(testsupport::ColorText(left), testsupport::ColorText(right));
    EXPECT_NE(testsupport::ColorText(right), "0,0,0");
    // Letters in the font's colour on the bar's own colours: nothing behind shows through.
    const tarn::CColor edge = myDisplay.Screen()->GetPixel(1, marbles::CGameHud::BAR_Y);
    int lit = 0;
    int other = 0;
    for (int x = 0; x < 640; ++x) {
        for (int y = marbles::CGameHud::BAR_Y; y < 480; ++y) {
            const std::string color = testsupport::ColorText(myDisplay.Screen()->GetPixel(x, y));
            lit += color == "255,226,130";
            other += color != "255,226,130" && color != testsupport::ColorText(left) &&
                     color != testsupport::ColorText(edge);
        }
    }
    EXPECT_GT(lit, 1000);
    EXPECT_EQ(other, 0);
}

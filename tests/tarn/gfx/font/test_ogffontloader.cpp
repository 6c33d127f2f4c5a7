// Tests of the OGF font loader: glyph rectangles from a good file (also with a listed ";" and
// a glyph image of another size), tinting, and bad files that must leave the font untouched.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/gfx/cfont.h"
#include "tarn/gfx/font/cogffontloader.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"

namespace {

using tarn::CColor;
using tarn::CFont;
using tarn::COgfFontLoader;
using tarn::CRect;

class OgfFontLoader : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(myDisplay.IsOpen()) << SDL_GetError();
        SaveImage("glyphs.bmp", 32, 20, CColor(200, 100, 40));
        SaveImage("small.bmp", 16, 10, CColor(200, 100, 40));
    }
    void TearDown() override { testsupport::ResetEngine(); }
    static void SaveImage(const std::string& name, int w, int h, const CColor& color) {
        tarn::IPixel* image = testsupport::SolidImage(w, h, color);
        ASSERT_TRUE(image->Save(name));
        tarn::ReleaseImage(image);
    }
    // Loads a font file with the given first line into a fresh font.
    static void LoadLine(CFont& font, const std::string& line) {
        testsupport::WriteFile("font.ogf", line + "\nignored second line\n");
        COgfFontLoader(&font, "font.ogf");
    }
    static bool Untouched(const CFont& font) {
        for (int c = 0; c < 256; ++c) {
            if (!font.GetCharRect(static_cast<unsigned char>(c)).IsEmpty()) return false;
        }
        return font.GetImage() == nullptr && font.GetLineHeight() == 0;
    }

    testsupport::CTempDir myDir;
    testsupport::CGfxDisplay myDisplay;
};

TEST_F(OgfFontLoader, GlyphRectanglesFollowTheGrid) {
    const char* images[] = {"glyphs.bmp", "small.bmp"};  // the small one is scaled to the grid
    for (const char* image : images) {
        CFont font;
        LoadLine(font, std::string("OGF;4;2;8;10;5;888;ab; c;0506070304;") + image);
        EXPECT_EQ(font.GetCharRect('a'), CRect(0, 0, 5, 10)) << image;
        EXPECT_EQ(font.GetCharRect('b'), CRect(8, 0, 6, 10)) << image;
        EXPECT_EQ(font.GetCharRect(';'), CRect(16, 0, 7, 10)) << image;
        EXPECT_EQ(font.GetCharRect(' '), CRect(24, 0, 3, 10)) << image;
        EXPECT_EQ(font.GetCharRect('c'), CRect(0, 10, 4, 10)) << image;
        EXPECT_TRUE(font.GetCharRect('d').IsEmpty());
        EXPECT_EQ(font.GetSpaceWidth(), 3);
        EXPECT_EQ(font.GetLineHeight(), 10);
        EXPECT_EQ(font.GetLetterSpacing(), 0);
        EXPECT_EQ(font.GetLayout(), nullptr);
        ASSERT_NE(font.GetImage(), nullptr);
        EXPECT_EQ(font.GetImage()->GetWidth(), 32);
        EXPECT_EQ(font.GetImage()->GetHeight(), 20);
        EXPECT_EQ(font.GetImage()->GetPixel(1, 1), CColor(200, 100, 40));
    }
    EXPECT_EQ(COgfFontLoader().GetName(), "ogf");
}

TEST_F(OgfFontLoader, IntensityDigitsTintTheGlyphs) {
    CFont font;
    LoadLine(font, "OGF;4;2;8;10;1;480;a;05;glyphs.bmp");
    ASSERT_NE(font.GetImage(), nullptr);
    // 200 * 4 / 8, 100 * 8 / 8, 40 * 0 / 8
    EXPECT_EQ(font.GetImage()->GetPixel(3, 3), CColor(100, 100, 0));
    EXPECT_NE(testsupport::LogBody().find("Red: 0.5 Green: 1 Blue: 0"), std::string::npos);
}

struct BadCase {
    const char* line;
    const char* message;
};

TEST_F(OgfFontLoader, BadFilesAreLoggedAndChangeNothing) {
    const BadCase cases[] = {
        {"", "Could not open ogf file: font.ogf for loading"},
        {"GIF;4;2;8;10;1;888;a;05;glyphs.bmp", "font.ogf is probably not a ogf file"},
        {"OGF;4;2", "font.ogf is missing fields"},
        {"OGF;4;2;8;10;3;888;ab;0506;glyphs.bmp",  // the width token joins the list
         "font.ogfError, the char count (3) and numbers of charachters (7) don't match"},
        {"OGF;4;2;8;10;2;888;ab;05060;glyphs.bmp",
         "font.ogf Error, the number of character width's ( 5) doesn't match the number of characters (2) times two"},
        {"OGF;4;2;8;10;2;888;ab;0x06;glyphs.bmp", "font.ogf has a bad character width"},
        {"OGF;4;2;8;10;2;888;ab;0506;nosuch.bmp", "Could not load imagenosuch.bmp"},
        {"OGF;4;2;8;10;2;888;ab;0506", "Could not load image"},
        {"OGF;0;2;8;10;2;888;ab;0506;glyphs.bmp", "font.ogf has an impossible glyph grid"},
        {"OGF;4;2;8;-10;2;888;ab;0506;glyphs.bmp", "font.ogf has an impossible glyph grid"},
        {"OGF;4000;2;8000;10;2;888;ab;0506;glyphs.bmp", "font.ogf has an impossible glyph grid"},
        {"OGF;4;2;8;99999999999;2;888;ab;0506;glyphs.bmp", "font.ogf has an impossible glyph grid"},
        {"OGF;4;2;8;10;2;88;ab;0506;glyphs.bmp", "font.ogf has a bad colour field"},
    };
    for (const BadCase& c : cases) {
        CFont font;
        LoadLine(font, c.line);
        EXPECT_TRUE(Untouched(font)) << c.line;
        EXPECT_NE(testsupport::LogBody().find(c.message), std::string::npos) << c.line;
    }
    CFont font;
    COgfFontLoader(&font, "missing.ogf");
    EXPECT_TRUE(Untouched(font));
    EXPECT_NE(testsupport::LogBody().find("Could not open ogf file: missing.ogf for loading"), std::string::npos);
#if !defined(_WIN32)
    // A device has no first line to end: refused before reading.
    COgfFontLoader(&font, "/dev/zero");
    EXPECT_TRUE(Untouched(font));
    EXPECT_NE(testsupport::LogBody().find("Refused to read the file /dev/zero: it is not a regular file"),
              std::string::npos);
#endif
}

TEST_F(OgfFontLoader, TruncatedFilesNeverCrash) {
    const std::string good = "OGF;4;2;8;10;5;888;ab; c;0506070304;glyphs.bmp";
    for (size_t length = 0; length < good.size(); ++length) {
        CFont font;
        LoadLine(font, good.substr(0, length));
        EXPECT_TRUE(Untouched(font)) << length;
    }
}

}  // namespace

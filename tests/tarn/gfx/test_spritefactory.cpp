// Tests of the sprite factory: types by id and by name, loading pictures and sprite files
// into the screen layer, the sprite file round trip, bad files giving an invisible sprite,
// and sprite handles releasing the sprite (and its picture) with the last handle.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "support/gfxtesthelpers.h"
#include "support/testsupport.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/ctexturemanager.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"
#include "tarn/gfx/sdl/cpixelsdlscreen.h"
#include "tarn/utils/xml/cxmlfilesys.h"

namespace {

using tarn::CRect;
using tarn::CScreenLayer;
using tarn::CSprite;
using tarn::CSpriteFactory;
using tarn::CSpriteHandle;

bool InScreenLayer(const CSprite* sprite) {
    const auto& children = CScreenLayer::GetSingleton()->GetChildren();
    return std::find(children.begin(), children.end(), sprite) != children.end();
}

class SpriteFactory : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(myDisplay.IsOpen()) << SDL_GetError();
        tarn::IPixel* picture = testsupport::SolidImage(6, 5, tarn::CColor(10, 20, 30));
        ASSERT_TRUE(picture->Save("picture.bmp"));
        tarn::ReleaseImage(picture);
    }
    void TearDown() override {
        EXPECT_TRUE(CScreenLayer::GetSingleton()->GetChildren().empty());
        testsupport::ResetEngine();
    }
    CSpriteFactory* Factory() { return CSpriteFactory::GetSingleton(); }

    testsupport::CTempDir myDir;
    testsupport::CGfxDisplay myDisplay;
};

TEST_F(SpriteFactory, MakesSpritesByTypeIdAndName) {
    for (int type : {0, 1}) {
        std::unique_ptr<CSprite> sprite(Factory()->CreateSprite(type));
        ASSERT_NE(nullptr, sprite) << type;
        EXPECT_EQ(type, sprite->GetType());
    }
    EXPECT_EQ(CScreenLayer::GetSingleton(), Factory()->CreateSprite(2));
    EXPECT_EQ(CScreenLayer::GetSingleton(), Factory()->CreateSprite(2));
    EXPECT_EQ(nullptr, Factory()->CreateSprite(5));
    EXPECT_EQ(nullptr, Factory()->CreateSprite(-1));

    const struct {
        const char* name;
        int type;
    } names[] = {{"sprite_base", 0},     {"sprite_layer", 1},     {"sprite_screenlayer", 2}, {"sprite_text", 3},
                 {"sprite_animated", 4}, {"Sprite_Animated", 0}, {"", 0},                   {"sprite", 0}};
    for (const auto& entry : names) EXPECT_EQ(entry.type, CSpriteFactory::TypeFromName(entry.name)) << entry.name;
}

TEST_F(SpriteFactory, LoadsPicturesIntoTheScreenLayer) {
    CSpriteHandle sprite = Factory()->LoadSprite("picture.bmp");
    ASSERT_NE(nullptr, sprite);
    EXPECT_EQ(CRect(0, 0, 6, 5), sprite->GetRect());
    EXPECT_EQ("picture.bmp", sprite->GetImage()->GetName());
    EXPECT_TRUE(InScreenLayer(sprite.get()));
    EXPECT_EQ(CScreenLayer::GetSingleton(), sprite->GetParent());

    // A name of two characters is always a picture, even "ml"; a missing one is invisible.
    for (const char* name : {"ml", "", "missing.png", "missing.xml"}) {
        CSpriteHandle bad = Factory()->LoadSprite(name);
        ASSERT_NE(nullptr, bad) << name;
        EXPECT_FALSE(bad->IsEmpty()) << name;
        EXPECT_TRUE(bad->GetImage()->IsNullImage()) << name;
        EXPECT_EQ(0, bad->GetRect().w) << name;
        EXPECT_TRUE(InScreenLayer(bad.get())) << name;
    }
    // A missing sprite file, and a sprite file naming a missing picture, are logged by name.
    testsupport::WriteFile("lost.xml", "<Sprite><ImageFilename>lost.png</ImageFilename></Sprite>");
    Factory()->LoadSprite("lost.xml");
    const std::string log = testsupport::LogBody();
    EXPECT_NE(std::string::npos,
              log.find("Could not load the picture missing.xml: the sprite file is missing or holds no element\n"))
        << log;
    EXPECT_NE(std::string::npos, log.find("Could not load the picture lost.png: ")) << log;
}

TEST_F(SpriteFactory, CorruptSpriteFilesGiveAnInvisibleSprite) {
    const char* files[] = {"\x01\xff\xfe garbage <<<>>", "<Sprite type=\"sprite_base\"><ImageFilename>",
                           "<Sprite type=\"sprite_layer\"><Z>12</Z></Sprite>",
                           "<Sprite><ImageFilename>picture.bmp</ImageFilename><ImageRect x=\"a\" w=\"-7\"/></Sprite>",
                           "<Sprite type=\"sprite_text\"></Sprite>"};
    for (const char* text : files) {
        testsupport::WriteFile("bad.xml", text);
        CSpriteHandle sprite = Factory()->LoadSprite("bad.xml");
        ASSERT_NE(nullptr, sprite) << text;
        EXPECT_TRUE(InScreenLayer(sprite.get())) << text;
        CScreenLayer::GetSingleton()->Refresh();  // drawing it must be safe too
    }
    testsupport::WriteFile("bad.xml", "<Sprite type=\"sprite_layer\"><Z>12</Z></Sprite>");
    CSpriteHandle layer = Factory()->LoadSprite("bad.xml");
    EXPECT_EQ(1, layer->GetType());
    EXPECT_EQ(12, layer->GetZ());
}

TEST_F(SpriteFactory, SpriteFilesRoundTrip) {
    CSpriteHandle original = Factory()->LoadSprite("picture.bmp");
    original->SetScrollRect(CRect(1, 2, 3, 4));
    original->SetPosition(7, 8);
    original->SetZ(42);
    original->SetAlpha(77);
    ASSERT_TRUE(tarn::XmlSave(*original, "sprite.xml", "Sprite"));
    EXPECT_EQ(
        "<Sprite type=\"sprite_base\" >\n"
        "  <ImageFilename>\n    picture.bmp\n  </ImageFilename>\n"
        "  <ScrollRect h=\"4\" w=\"3\" x=\"1\" y=\"2\" >\n  </ScrollRect>\n"
        "  <ImageRect h=\"5\" w=\"6\" x=\"7\" y=\"8\" >\n  </ImageRect>\n"
        "  <Z>\n    42\n  </Z>\n"
        "  <Alpha>\n    77\n  </Alpha>\n"
        "</Sprite>\n",
        testsupport::ReadFile("sprite.xml"));

    CSpriteHandle copy = Factory()->LoadSprite("sprite.xml");
    EXPECT_EQ(0, copy->GetType());
    EXPECT_EQ(CRect(7, 8, 6, 5), copy->GetRect());
    EXPECT_EQ(CRect(1, 2, 3, 4), copy->GetScrollRect());
    EXPECT_EQ(42, copy->GetZ());
    EXPECT_EQ(77, copy->GetAlpha());
    EXPECT_EQ("picture.bmp", copy->GetImage()->GetName());
    // Both share one loaded surface.
    EXPECT_EQ(original->GetImage()->GetRawSurface(), copy->GetImage()->GetRawSurface());
}

TEST_F(SpriteFactory, AScreenLayerFileConfiguresTheScreenLayerItself) {
    CScreenLayer* screen = CScreenLayer::GetSingleton();
    const int z = screen->GetZ();
    testsupport::WriteFile("screen.xml", "<Screen type=\"sprite_screenlayer\"><Z>7</Z></Screen>");
    {
        CSpriteHandle handle = Factory()->LoadSprite("screen.xml");
        EXPECT_EQ(screen, handle.get());
        EXPECT_EQ(7, screen->GetZ());
        EXPECT_FALSE(InScreenLayer(screen));
    }
    // The last handle does not delete the screen layer.
    EXPECT_EQ(2, CScreenLayer::GetSingleton()->GetType());
    screen->SetZ(z);
}

TEST_F(SpriteFactory, TheLastHandleReleasesTheSpriteAndItsPicture) {
    tarn::CTextureManager* textures = tarn::CTextureManager::GetSingleton();
    const int before = textures->GetTextureCount();
    CSpriteHandle first = Factory()->LoadSprite("picture.bmp");
    first->SetPosition(3, 3);
    CScreenLayer::GetSingleton()->Refresh();
    EXPECT_EQ("10,20,30", testsupport::ScreenColor(3, 3));
    EXPECT_EQ(before + 1, textures->GetTextureCount());

    CSpriteHandle second = first;
    first.reset();
    EXPECT_TRUE(InScreenLayer(second.get()));
    EXPECT_EQ(before + 1, textures->GetTextureCount());

    myDisplay.Screen()->Update();
    second.reset();
    // Gone from the layer and the screen; the picture is freed; the whole screen is flipped.
    EXPECT_TRUE(CScreenLayer::GetSingleton()->GetChildren().empty());
    EXPECT_EQ("0,0,0", testsupport::ScreenColor(3, 3));
    EXPECT_EQ(before, textures->GetTextureCount());
    EXPECT_TRUE(myDisplay.Screen()->IsFullUpdate());
}

}  // namespace

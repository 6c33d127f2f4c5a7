// Tests of the graphics facade and the shared null image: what callers get without a factory,
// forwarding to an installed factory, and the screen pointer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tarn/gfx/cgfxfactory.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"

namespace {

std::vector<std::string> theCalls;

// A factory that records calls and hands out the null image.
class CRecordingFactory : public tarn::CGfxFactory {
public:
    ~CRecordingFactory() override { theCalls.push_back("deleted"); }
    tarn::IPixel* CreateImage(int w, int h, const tarn::CColor& key) override {
        theCalls.push_back("create " + std::to_string(w) + "x" + std::to_string(h) + " key " +
                           std::to_string(key.r) + "," + std::to_string(key.g) + "," + std::to_string(key.b));
        return tarn::GetNullImage();
    }
    tarn::IPixel* CreateImageAlpha(int w, int h) override {
        theCalls.push_back("alpha " + std::to_string(w) + "x" + std::to_string(h));
        return tarn::GetNullImage();
    }
    tarn::IPixel* LoadImage(const std::string& name, const tarn::CColor&) override {
        theCalls.push_back("load " + name);
        return tarn::GetNullImage();
    }
    tarn::IPixel* Convert(tarn::IPixel* image) override { return image; }
    void ReleaseImage(tarn::IPixel*) override { theCalls.push_back("release"); }
};

TEST(Gfx, WithoutAFactoryEverythingIsTheNullImage) {
    ASSERT_EQ(nullptr, tarn::GetFactory());
    tarn::IPixel* null = tarn::GetNullImage();
    EXPECT_EQ(null, tarn::CreateImage(10, 10));
    EXPECT_EQ(null, tarn::CreateImageAlpha(10, 10));
    EXPECT_EQ(null, tarn::LoadImage("data/gfx/title_screen.jpg"));
    EXPECT_EQ(null, tarn::GetScreen());
    tarn::ReleaseImage(null);
    tarn::ReleaseImage(nullptr);
    tarn::DeleteFactory();
}

TEST(Gfx, TheNullImageIsEmptyInertAndShared) {
    tarn::IPixel* null = tarn::GetNullImage();
    EXPECT_TRUE(null->IsNullImage());
    EXPECT_TRUE(null->IsEmpty());
    EXPECT_EQ(0, null->GetType());
    EXPECT_EQ(0, null->GetWidth());
    EXPECT_EQ(0, null->GetHeight());
    EXPECT_EQ(tarn::CColor(255, 0, 255, 255), null->GetPixel(0, 0));
    EXPECT_EQ(null, null->Scale(10, 10));
    EXPECT_EQ(null, null->Rotate(90));
    EXPECT_EQ(null, null->CreateBlankCopy());
    EXPECT_FALSE(null->Blit(null));
    EXPECT_FALSE(null->BlitTo(null, tarn::CRect(0, 0, 5, 5), tarn::CRect(0, 0, 5, 5)));
    EXPECT_FALSE(null->Save("never.bmp"));
    EXPECT_EQ(nullptr, null->GetSurface());
    EXPECT_EQ(tarn::CRect(), null->ClipRect(tarn::CRect(1, 2, 3, 4)));
    EXPECT_EQ(null, tarn::GetNullImage());
}

TEST(Gfx, CallsReachTheInstalledFactoryUntilItIsDeleted) {
    theCalls.clear();
    CRecordingFactory* factory = new CRecordingFactory();
    tarn::SetFactory(factory);
    tarn::SetFactory(factory);  // the same factory again is fine
    tarn::CreateImage(3, 4);
    tarn::CreateImage(1, 2, tarn::CColor(1, 2, 3));
    tarn::CreateImageAlpha(5, 6);
    tarn::LoadImage("a.png");
    // The null image is never handed to the factory to be deleted.
    tarn::ReleaseImage(tarn::GetNullImage());
    EXPECT_EQ(0, factory->Query(7));
    tarn::DeleteFactory();
    EXPECT_EQ(nullptr, tarn::GetFactory());
    EXPECT_EQ((std::vector<std::string>{"create 3x4 key 255,0,255", "create 1x2 key 1,2,3", "alpha 5x6", "load a.png",
                                        "deleted"}),
              theCalls);
}

TEST(Gfx, TheScreenFallsBackToTheNullImage) {
    tarn::IPixel* fake = tarn::GetNullImage();
    tarn::SetScreen(fake);
    EXPECT_EQ(fake, tarn::GetScreen());
    tarn::SetScreen(nullptr);
    EXPECT_EQ(tarn::GetNullImage(), tarn::GetScreen());
}

}  // namespace

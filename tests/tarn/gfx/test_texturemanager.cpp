// Tests of the texture manager's sharing rules with stand-in surfaces: user counts, freeing
// by the last user, persistent entries, unmanaged surfaces and the logged misuse.
#include <gtest/gtest.h>

#include <set>

#include "support/testsupport.h"
#include "tarn/gfx/ctexturemanager.h"

namespace {

using tarn::CTextureManager;

std::multiset<SDL_Surface*> theFreed;

void RecordFree(SDL_Surface* surface) { theFreed.insert(surface); }

class TextureManager : public ::testing::Test {
protected:
    void SetUp() override {
        theFreed.clear();
        mySdlFreer = CTextureManager::GetSurfaceFreer();
        CTextureManager::SetSurfaceFreer(&RecordFree);
    }
    void TearDown() override {
        CTextureManager::SetSurfaceFreer(mySdlFreer);
        testsupport::ResetEngine();
    }
    // Stand-in surfaces: only their addresses are used.
    SDL_Surface* Fake(int i) { return reinterpret_cast<SDL_Surface*>(&myStorage[i]); }

    testsupport::CTempDir myDir;
    CTextureManager myTextures;
    long myStorage[4] = {};
    CTextureManager::SurfaceFreer mySdlFreer = nullptr;
};

TEST_F(TextureManager, TheLastUserFreesASharedSurface) {
    myTextures.AddNew("a.png", Fake(0), false);
    EXPECT_TRUE(myTextures.Exists("a.png"));
    EXPECT_FALSE(myTextures.Exists("A.png"));  // names are compared exactly
    EXPECT_EQ(Fake(0), myTextures.GetPointer("a.png"));
    EXPECT_EQ(2, myTextures.GetUserCount("a.png"));
    myTextures.Release(Fake(0));
    EXPECT_TRUE(theFreed.empty());
    EXPECT_EQ(1, myTextures.GetUserCount("a.png"));
    myTextures.Release(Fake(0));
    EXPECT_EQ(1u, theFreed.count(Fake(0)));
    EXPECT_FALSE(myTextures.Exists("a.png"));
    EXPECT_EQ(0, myTextures.GetTextureCount());
}

TEST_F(TextureManager, PersistentSurfacesSurviveTheirLastUser) {
    myTextures.AddNew("font.png", Fake(1), true);
    myTextures.Release(Fake(1));
    myTextures.Release(Fake(1));  // one release too many changes nothing either
    EXPECT_TRUE(theFreed.empty());
    EXPECT_TRUE(myTextures.Exists("font.png"));
    EXPECT_EQ(0, myTextures.GetUserCount("font.png"));
    EXPECT_EQ(Fake(1), myTextures.GetPointer("font.png"));
    EXPECT_EQ(1, myTextures.GetUserCount("font.png"));
}

TEST_F(TextureManager, UnmanagedSurfacesAreFreedAtOnceAndNullIsIgnored) {
    myTextures.AddNew("a.png", Fake(0), false);
    myTextures.Release(Fake(2));
    myTextures.Release(nullptr);
    EXPECT_EQ((std::multiset<SDL_Surface*>{Fake(2)}), theFreed);
    EXPECT_EQ(1, myTextures.GetUserCount("a.png"));
}

TEST_F(TextureManager, MisuseIsLoggedAndChangesNothing) {
    myTextures.AddNew("a.png", Fake(0), false);
    myTextures.AddNew("a.png", Fake(3), false);
    EXPECT_EQ(Fake(0), myTextures.GetPointer("a.png"));
    EXPECT_EQ(nullptr, myTextures.GetPointer("missing.png"));
    EXPECT_EQ(nullptr, myTextures.GetPointer("missing.png"));
    const std::string log = testsupport::LogBody();
    EXPECT_NE(std::string::npos,
              log.find("<!> CTextureManager::AddNew() - trying to add a new texture, but we already have one of the "
                       "same name: a.png\n"));
    const std::string warning =
        "(!) CTextureManager::GetPointer() - trying to get pointer to a file that doesn't exist: missing.png\n";
    const size_t first = log.find(warning);
    ASSERT_NE(std::string::npos, first);
    EXPECT_NE(std::string::npos, log.find(warning, first + 1));  // once per call

    myTextures.SetLogging(false);
    myTextures.GetPointer("quiet.png");
    EXPECT_EQ(std::string::npos, testsupport::LogBody().find("quiet.png"));
    EXPECT_TRUE(theFreed.empty());
}

}  // namespace

// The data the game ships under game/: the level list, every level (loaded through the physics
// model reader and stepped to rest), and every picture the data files name.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <cmath>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "marbles/level/clevelfile.h"
#include "marbles/level/clevellist.h"
#include "marbles/game/cmarblespritetable.h"
#include "marbles/physics/cphysicstask.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/physics/rigidbody.h"
#include "marbles/rules/clevelrules.h"
#include "marbles/rules/cmarblefactory.h"
#include "marbles/rules/cmarbleregistry.h"
#include "marbles/rules/csettlewatch.h"
#include "tarn/utils/xml/cxmlfilesys.h"
#include "tarn/utils/xml/xmltree.h"
#include "tarn/utils/xml/cxmlnode.h"

namespace {

const std::string theGameDir = std::string(MARBLES_SOURCE_DIR) + "/game/";

// The game draws world (0, 0) at pixel (320, 160), 16 pixels per unit, in a 640 by 480 window.
const float theWorldLeft = -20.0f;
const float theWorldRight = 20.0f;
const float theWorldTop = -10.0f;
const float theWorldBottom = 20.0f;
const unsigned theStepMs = 50;
const int theRestWithinSteps = 400;
const int theObservedSteps = 600;

std::string Attribute(const tarn::CXmlNode& node, const std::string& name) {
    return node.HasAttribute(name) ? node.GetAttribute(name).ToText() : std::string();
}

const tarn::CXmlNode* FindChild(const tarn::CXmlNode& node, const std::string& name) {
    for (int i = 0; i < node.GetChildCount(); ++i)
        if (node.GetChild(i)->GetName() == name) return node.GetChild(i);
    return nullptr;
}

std::vector<const tarn::CXmlNode*> Children(const tarn::CXmlNode& node, const std::string& name) {
    std::vector<const tarn::CXmlNode*> found;
    for (int i = 0; i < node.GetChildCount(); ++i)
        if (node.GetChild(i)->GetName() == name) found.push_back(node.GetChild(i));
    return found;
}

bool FileExists(const std::string& gamePath) {
    return std::ifstream(theGameDir + gamePath).good();
}

// The file's tree; a file that is not a whole document (the game refuses such levels and
// keeps such level lists aside) fails the test.
std::unique_ptr<tarn::CXmlNode> LoadGameXml(const std::string& gamePath) {
    std::string problem;
    std::unique_ptr<tarn::CXmlNode> root(tarn::LoadXmlTree(theGameDir + gamePath, &problem));
    EXPECT_EQ(problem, "") << gamePath;
    return root;
}

struct CRectText {
    int x = 0, y = 0, w = 0, h = 0;
};

CRectText ReadRect(const tarn::CXmlNode& node) {
    CRectText rect;
    rect.x = node.GetAttribute("x").Get<int>();
    rect.y = node.GetAttribute("y").Get<int>();
    rect.w = node.GetAttribute("w").Get<int>();
    rect.h = node.GetAttribute("h").Get<int>();
    return rect;
}

// Loads a picture through SDL_image; false when it cannot be read.
bool PictureSize(const std::string& gamePath, int& width, int& height) {
    SDL_Surface* surface = IMG_Load((theGameDir + gamePath).c_str());
    if (!surface) return false;
    width = surface->w;
    height = surface->h;
    SDL_FreeSurface(surface);
    return true;
}

// The level files in list order, read from the level list.
std::vector<std::string> ListedLevels() {
    std::vector<std::string> files;
    const std::unique_ptr<tarn::CXmlNode> root = LoadGameXml("data/level_list.xml");
    if (!root) return files;
    for (const tarn::CXmlNode* level : Children(*root, "Level")) files.push_back(Attribute(*level, "filename"));
    return files;
}

// The level's "Graphics" attributes that name sprite files.
std::vector<std::string> LevelSpriteFiles(const tarn::CXmlNode& level) {
    std::vector<std::string> files;
    const tarn::CXmlNode* graphics = FindChild(level, "Graphics");
    if (!graphics) return files;
    for (const char* name : {"background_image", "animation1_image", "animation2_image",
                             "level_complete_image", "level_failed_image"}) {
        const std::string file = Attribute(*graphics, name);
        if (!file.empty()) files.push_back(file);
    }
    const tarn::CXmlNode* spriteData = FindChild(*graphics, "SpriteData");
    if (spriteData)
        for (const tarn::CXmlNode* sprite : Children(*spriteData, "Sprite"))
            files.push_back(Attribute(*sprite, "sprite_file"));
    return files;
}

}  // namespace

TEST(ShippedLevelList, NamesExistingLevelsInPlayOrderWithoutProgress) {
    const std::unique_ptr<tarn::CXmlNode> root = LoadGameXml("data/level_list.xml");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->GetName(), "LevelList");
    const std::vector<const tarn::CXmlNode*> levels = Children(*root, "Level");
    ASSERT_GE(levels.size(), 24u);
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const tarn::CXmlNode& level = *levels[i];
        const std::string file = Attribute(level, "filename");
        SCOPED_TRACE(file);
        // Positions start at 1 and rise by one: a gap or a step back would lose levels.
        EXPECT_EQ(level.GetAttribute("position").Get<int>(), static_cast<int>(i + 1));
        EXPECT_TRUE(FileExists(file));
        EXPECT_FALSE(level.GetAttribute("completed").Get<bool>());
        const std::unique_ptr<tarn::CXmlNode> levelRoot = LoadGameXml(file);
        ASSERT_TRUE(levelRoot);
        EXPECT_EQ(levelRoot->GetName(), "MarblesLevel");
    }
}

TEST(ShippedLevels, EveryMarbleTypeComesInThreesAndHasASprite) {
    for (const std::string& file : ListedLevels()) {
        SCOPED_TRACE(file);
        const std::unique_ptr<tarn::CXmlNode> root = LoadGameXml(file);
        ASSERT_TRUE(root);
        const tarn::CXmlNode* model = FindChild(*root, "PhysicsModel");
        ASSERT_TRUE(model);
        marbles::CPhysicsTask physics;
        tarn::CXmlFileSys reader(const_cast<tarn::CXmlNode*>(model), tarn::CXmlFileSys::MODE_READ);
        physics.SerializePhysicsModel(&reader);
        const marbles::CPhysicsWorld& world = *physics.GetWorld();

        std::map<int, int> perType;
        for (unsigned i = 0; i < world.GetBodyCount(); ++i) {
            const marbles::RigidBody& body = world.GetBody(i);
            if (body.shape == marbles::SHAPE_CIRCLE) {
                ++perType[body.color];
                EXPECT_GT(body.inverseMass, 0.0f);
                EXPECT_EQ(body.staticObject, 0);
            } else {
                EXPECT_EQ(body.staticObject, 1) << "box " << i;
            }
        }
        ASSERT_FALSE(perType.empty());
        std::set<int> withSprite;
        const tarn::CXmlNode* graphics = FindChild(*root, "Graphics");
        ASSERT_TRUE(graphics);
        const tarn::CXmlNode* spriteData = FindChild(*graphics, "SpriteData");
        ASSERT_TRUE(spriteData);
        for (const tarn::CXmlNode* sprite : Children(*spriteData, "Sprite"))
            withSprite.insert(sprite->GetAttribute("marble_type").Get<int>());
        for (const auto& [type, count] : perType) {
            EXPECT_GE(type, 0);
            EXPECT_LE(type, 10);  // the rules look for groups only among types 0..10
            EXPECT_EQ(count % 3, 0) << "type " << type;
            EXPECT_TRUE(withSprite.count(type)) << "type " << type;
        }
    }
}

TEST(ShippedLevels, SettleWithinAFewHundredStepsWithEveryMarbleInside) {
    for (const std::string& file : ListedLevels()) {
        SCOPED_TRACE(file);
        const std::unique_ptr<tarn::CXmlNode> root = LoadGameXml(file);
        ASSERT_TRUE(root);
        const tarn::CXmlNode* model = FindChild(*root, "PhysicsModel");
        ASSERT_TRUE(model);
        marbles::CPhysicsTask physics;
        tarn::CXmlFileSys reader(const_cast<tarn::CXmlNode*>(model), tarn::CXmlFileSys::MODE_READ);
        physics.SerializePhysicsModel(&reader);
        const marbles::CPhysicsWorld& world = *physics.GetWorld();
        const unsigned bodies = world.GetBodyCount();

        // Marbles never lie quite still: settled is what the player sees (see CSettleWatch). The
        // game's world sleeps from there (a marble would otherwise creep down a shallow basin's
        // slope), so the settled pile is the one the player meets, and it never stirs again.
        int firstSettled = 0;
        int stirred = 0;
        marbles::CSettleWatch watch;
        for (int step = 1; step <= theObservedSteps; ++step) {
            physics.Step(theStepMs);
            std::vector<marbles::Vector2> places;
            for (unsigned i = 0; i < world.GetBodyCount(); ++i)
                if (world.GetBody(i).shape == marbles::SHAPE_CIRCLE) places.push_back(world.GetBody(i).position);
            watch.Observe(places);
            if (watch.IsSettled() && firstSettled == 0) {
                firstSettled = step;
                physics.GetWorld()->SetAsleep(true);
            }
            if (!watch.IsSettled() && firstSettled > 0) ++stirred;
        }
        EXPECT_GT(firstSettled, 0);
        EXPECT_LE(firstSettled, theRestWithinSteps);
        EXPECT_EQ(stirred, 0) << "settled at " << firstSettled;
        ASSERT_EQ(world.GetBodyCount(), bodies);

        for (unsigned i = 0; i < bodies; ++i) {
            const marbles::RigidBody& marble = world.GetBody(i);
            if (marble.shape != marbles::SHAPE_CIRCLE) continue;
            const float x = marble.position.x;
            const float y = marble.position.y;
            const float r = marble.extent.x;
            ASSERT_TRUE(std::isfinite(x) && std::isfinite(y)) << "marble " << i;
            EXPECT_TRUE(x - r >= theWorldLeft && x + r <= theWorldRight && y - r >= theWorldTop &&
                        y + r <= theWorldBottom)
                << "marble " << i << " off screen at " << x << ", " << y;
            // A marble whose centre lies inside a box has slipped through it.
            for (unsigned j = 0; j < bodies; ++j) {
                const marbles::RigidBody& box = world.GetBody(j);
                if (box.shape != marbles::SHAPE_BOX) continue;
                const float c = std::cos(box.orientation);
                const float s = std::sin(box.orientation);
                const float dx = x - box.position.x;
                const float dy = y - box.position.y;
                const bool inside = std::fabs(dx * c + dy * s) < box.extent.x &&
                                    std::fabs(-dx * s + dy * c) < box.extent.y;
                EXPECT_FALSE(inside) << "marble " << i << " inside box " << j;
            }
        }
    }
}

TEST(ShippedLevels, OfferAChainOfThreeOnceSettled) {
    // A level whose settled pile holds no chain of three can only be lost.
    for (const std::string& file : ListedLevels()) {
        SCOPED_TRACE(file);
        const std::unique_ptr<tarn::CXmlNode> root = LoadGameXml(file);
        ASSERT_TRUE(root);
        const tarn::CXmlNode* model = FindChild(*root, "PhysicsModel");
        ASSERT_TRUE(model);
        marbles::CMarbleFactory marbleFactory;
        marbles::CPhysicsTask physics;
        physics.SetListenerFactory(&marbleFactory);
        tarn::CXmlFileSys reader(const_cast<tarn::CXmlNode*>(model), tarn::CXmlFileSys::MODE_READ);
        physics.SerializePhysicsModel(&reader);
        marbles::CLevelRules rules;
        for (int step = 1; step <= theObservedSteps && !rules.IsPileSettled(); ++step) {
            physics.Step(theStepMs);
            rules.ObservePile();
        }
        EXPECT_TRUE(rules.IsPileSettled());
        EXPECT_GT(marbles::CMarbleRegistry::GetSingleton()->GetCount(), 0u);
        EXPECT_TRUE(marbles::CLevelRules::HasRemovableGroup(marbles::CLevelRules::MIN_TYPE,
                                                            marbles::CLevelRules::MAX_TYPE));
    }
}

TEST(ShippedPictures, ScreensAndWindowChromeLoadAtTheirSizes) {
    struct Expected {
        const char* path;
        int width;
        int height;
    };
    const Expected pictures[] = {
        {"data/gfx/title_screen.jpg", 640, 480},  {"data/gfx/help_screen.jpg", 640, 480},
        {"data/gui/titlebar.gif", 396, 20},       {"data/gui/maximize.gif", 20, 20},
        {"data/gui/close.gif", 20, 20},           {"data/gui/background.png", 400, 200},
    };
    for (const Expected& picture : pictures) {
        SCOPED_TRACE(picture.path);
        int width = 0;
        int height = 0;
        ASSERT_TRUE(PictureSize(picture.path, width, height));
        EXPECT_EQ(width, picture.width);
        EXPECT_EQ(height, picture.height);
    }
}

TEST(ShippedPictures, SpriteFilesNamedByLevelsShowPicturesThatFit) {
    std::set<std::string> spriteFiles;
    for (const std::string& file : ListedLevels()) {
        const std::unique_ptr<tarn::CXmlNode> root = LoadGameXml(file);
        ASSERT_TRUE(root) << file;
        for (const std::string& sprite : LevelSpriteFiles(*root)) spriteFiles.insert(sprite);
    }
    ASSERT_FALSE(spriteFiles.empty());
    for (const std::string& file : spriteFiles) {
        SCOPED_TRACE(file);
        const std::unique_ptr<tarn::CXmlNode> sprite = LoadGameXml(file);
        ASSERT_TRUE(sprite);
        const tarn::CXmlNode* imageName = FindChild(*sprite, "ImageFilename");
        ASSERT_TRUE(imageName);
        int width = 0;
        int height = 0;
        ASSERT_TRUE(PictureSize(imageName->GetContent(), width, height)) << imageName->GetContent();
        const tarn::CXmlNode* imageRectNode = FindChild(*sprite, "ImageRect");
        ASSERT_TRUE(imageRectNode);
        const CRectText place = ReadRect(*imageRectNode);
        // Whatever is shown must lie on the 640 by 480 screen.
        EXPECT_GE(place.x, 0);
        EXPECT_GE(place.y, 0);
        EXPECT_LE(place.x + place.w, 640);
        EXPECT_LE(place.y + place.h, 480);

        const std::string type = Attribute(*sprite, "type");
        if (type != "sprite_animated") {
            EXPECT_EQ(place.w, width);
            EXPECT_EQ(place.h, height);
            continue;
        }
        // Marble sprites: a "normal" and a "highlight" animation whose frames cut pieces of the
        // sheet of the sprite's size, so the marble stays centred on its body in every frame.
        std::set<std::string> names;
        for (const tarn::CXmlNode* animation : Children(*sprite, "Animation")) {
            names.insert(Attribute(*animation, "name"));
            const std::vector<const tarn::CXmlNode*> frames = Children(*animation, "Frame");
            EXPECT_FALSE(frames.empty());
            for (const tarn::CXmlNode* frame : frames) {
                EXPECT_EQ(Attribute(*frame, "type"), "frame_rect");
                const tarn::CXmlNode* rectNode = FindChild(*frame, "Rect");
                const tarn::CXmlNode* length = FindChild(*frame, "FrameLength");
                ASSERT_TRUE(rectNode && length);
                const CRectText rect = ReadRect(*rectNode);
                EXPECT_TRUE(rect.x >= 0 && rect.y >= 0 && rect.x + rect.w <= width && rect.y + rect.h <= height);
                EXPECT_EQ(rect.w, place.w);
                EXPECT_EQ(rect.h, place.h);
                EXPECT_GT(std::stoul(length->GetContent()), 0ul);
            }
        }
        EXPECT_TRUE(names.count("normal"));
        EXPECT_TRUE(names.count("highlight"));
        const tarn::CXmlNode* current = FindChild(*sprite, "CurrentAnimation");
        ASSERT_TRUE(current);
        EXPECT_EQ(current->GetContent(), "normal");
    }
}

TEST(ShippedLevels, LoadThroughTheGamesOwnReaders) {
    marbles::CLevelList list;
    ASSERT_TRUE(list.Load(std::string(MARBLES_SOURCE_DIR) + "/game/data/level_list.xml"));
    const std::vector<std::string> levels = ListedLevels();
    EXPECT_EQ(list.GetEntryCount(), static_cast<unsigned>(levels.size()) + 1);  // entry 0 is the place before the first level
    for (const std::string& level : levels) {
        marbles::CMarbleSpriteTable::GetSingleton()->Clear();
        marbles::CPhysicsTask physics;
        marbles::CLevelFile file(&physics);
        ASSERT_TRUE(file.Load(std::string(MARBLES_SOURCE_DIR) + "/game/" + level)) << level;
        EXPECT_TRUE(file.HasGraphics()) << level;
        EXPECT_GT(physics.GetWorld()->GetBodyCount(), 0u) << level;
        for (const auto& entry : marbles::CMarbleSpriteTable::GetSingleton()->GetEntries()) {
            EXPECT_TRUE(std::ifstream(std::string(MARBLES_SOURCE_DIR) + "/game/" + entry.second).good())
                << level << ": " << entry.second;
        }
        EXPECT_FALSE(marbles::CMarbleSpriteTable::GetSingleton()->GetEntries().empty()) << level;
    }
    marbles::CMarbleSpriteTable::GetSingleton()->Clear();
}

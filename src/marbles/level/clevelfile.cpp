// A level file: its bodies go to the physics, its pictures to the screen's graphics and its
// sprite data to the marble sprite table.
#include "marbles/level/clevelfile.h"

#include <memory>

#include "marbles/level/levelcheck.h"
#include "marbles/physics/cphysicstask.h"
#include "marbles/physics/cphysicsworld.h"
#include "tarn/utils/logger/clogger.h"
#include "tarn/utils/xml/cxmlfilesys.h"
#include "tarn/utils/xml/xmltree.h"

namespace marbles {

namespace {

const char* const ROOT_NAME = "MarblesLevel";
const char* const PHYSICS_NAME = "PhysicsModel";
const char* const GRAPHICS_NAME = "Graphics";
const char* const SPRITE_DATA_NAME = "SpriteData";

// The first child named name, or null; the lookup is by name, in any order.
tarn::CXmlNode* FindChild(const tarn::CXmlNode* node, const std::string& name) {
    for (int i = 0; node && i < node->GetChildCount(); ++i) {
        if (node->GetChild(i)->GetName() == name) return node->GetChild(i);
    }
    return nullptr;
}

CLevelFile::SpriteDataSerializer& SpriteData() {
    static CLevelFile::SpriteDataSerializer serializer = nullptr;
    return serializer;
}

// Why the level's bodies cannot be played (none, no marble, too many, absurd numbers), read
// into a world of their own before any reaches the game's; "" when they can.
std::string CheckModel(const tarn::CXmlNode* root) {
    tarn::CXmlNode* model = FindChild(root, PHYSICS_NAME);
    if (!model) return "the level has no \"PhysicsModel\"";
    if (std::string problem = CheckBodyNumbers(model); !problem.empty()) return problem;
    CPhysicsWorld world;
    tarn::CXmlFileSys reader(model, tarn::CXmlFileSys::MODE_READ);
    reader.SetWarnings(false);
    world.Serialize(&reader);
    return CheckLevelBodies(world);
}

}  // namespace

void CLevelFile::SetSpriteDataSerializer(SpriteDataSerializer serializer) { SpriteData() = serializer; }

bool CLevelFile::Load(const std::string& fileName) {
    std::unique_ptr<tarn::CXmlNode> root(tarn::LoadXmlTree(fileName, &myProblem));
    if (myProblem.empty() && (!root || root->GetName() != ROOT_NAME))
        myProblem = "the root element is not \"MarblesLevel\"";
    if (myProblem.empty()) myProblem = CheckModel(root.get());
    if (!myProblem.empty()) {
        tarn::CLogger::GetSingleton()->Warning()
            << "Could not read the level: " << fileName << ", " << myProblem << "\n";
        return false;
    }
    tarn::CXmlFileSys filesys(root.get(), tarn::CXmlFileSys::MODE_READ);
    Serialize(&filesys);
    return true;
}

bool CLevelFile::Save(const std::string& fileName) { return tarn::XmlSave(*this, fileName, ROOT_NAME); }

void CLevelFile::Serialize(tarn::CXmlFileSys* filesys) {
    if (!filesys) return;
    if (filesys->IsWriting()) {
        WriteGraphics(filesys);
        if (myPhysics) {
            filesys->BeginNode(PHYSICS_NAME);
            tarn::CXmlFileSys model(filesys->GetNode(), tarn::CXmlFileSys::MODE_WRITE);
            myPhysics->SerializePhysicsModel(&model);
            filesys->EndNode(PHYSICS_NAME);
        }
        return;
    }
    const tarn::CXmlNode* node = filesys->GetNode();
    if (tarn::CXmlNode* model = FindChild(node, PHYSICS_NAME); model && myPhysics) {
        tarn::CXmlFileSys nested(model, tarn::CXmlFileSys::MODE_READ);
        myPhysics->SerializePhysicsModel(&nested);
    }
    myGraphics = CGraphics();
    myHasGraphics = false;
    if (tarn::CXmlNode* graphics = FindChild(node, GRAPHICS_NAME)) {
        tarn::CXmlFileSys nested(graphics, tarn::CXmlFileSys::MODE_READ);
        ReadGraphics(&nested);
    }
}

void CLevelFile::ReadGraphics(tarn::CXmlFileSys* filesys) {
    myHasGraphics = true;
    filesys->ReadAttribute("background_image", myGraphics.myBackgroundImage);
    filesys->ReadAttribute("animation1_image", myGraphics.myAnimation1Image);
    filesys->ReadAttribute("animation2_image", myGraphics.myAnimation2Image);
    filesys->ReadAttribute("level_complete_image", myGraphics.myLevelCompleteImage);
    filesys->ReadAttribute("level_failed_image", myGraphics.myLevelFailedImage);
    if (tarn::CXmlNode* spriteData = FindChild(filesys->GetNode(), SPRITE_DATA_NAME)) {
        tarn::CXmlFileSys nested(spriteData, tarn::CXmlFileSys::MODE_READ);
        if (SpriteData()) SpriteData()(&nested);
    }
}

void CLevelFile::WriteGraphics(tarn::CXmlFileSys* filesys) const {
    filesys->BeginNode(GRAPHICS_NAME);
    filesys->AddAttribute("background_image", myGraphics.myBackgroundImage);
    filesys->AddAttribute("animation1_image", myGraphics.myAnimation1Image);
    filesys->AddAttribute("animation2_image", myGraphics.myAnimation2Image);
    filesys->AddAttribute("level_complete_image", myGraphics.myLevelCompleteImage);
    filesys->AddAttribute("level_failed_image", myGraphics.myLevelFailedImage);
    filesys->BeginNode(SPRITE_DATA_NAME);
    tarn::CXmlFileSys spriteData(filesys->GetNode(), tarn::CXmlFileSys::MODE_WRITE);
    if (SpriteData()) SpriteData()(&spriteData);
    filesys->EndNode(SPRITE_DATA_NAME);
    filesys->EndNode(GRAPHICS_NAME);
}

}  // namespace marbles

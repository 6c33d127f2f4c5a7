// The program-wide table from marble type to sprite file and its "SpriteData" element.
#include "marbles/game/cmarblespritetable.h"

#include "marbles/level/clevelfile.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/rules/cmarble.h"

#include "tarn/gfx/cspritefactory.h"
#include "tarn/utils/xml/cxmlfilesys.h"

namespace marbles {

namespace {

const char* const SPRITE_NAME = "Sprite";

void SerializeSpriteTable(tarn::CXmlFileSys* filesys) { CMarbleSpriteTable::GetSingleton()->Serialize(filesys); }

// Level files read and write their "SpriteData" through the table once the game is linked in.
const bool kSpriteDataInstalled = (CLevelFile::SetSpriteDataSerializer(&SerializeSpriteTable), true);

}  // namespace

CMarbleSpriteTable* CMarbleSpriteTable::GetSingleton() {
    static CMarbleSpriteTable* table = new CMarbleSpriteTable();
    return table;
}

std::string CMarbleSpriteTable::GetSpriteFile(std::int32_t type) const {
    const auto found = myEntries.find(type);
    return found == myEntries.end() ? std::string() : found->second;
}

std::string CMarbleSpriteTable::FindMarbleWithoutSprite(const CPhysicsWorld& world) const {
    for (unsigned i = 0; i < world.GetBodyCount(); ++i) {
        const RigidBody& body = world.GetBody(i);
        if (!IsMarbleBody(body) || myEntries.count(body.color)) continue;
        return "body " + std::to_string(i) + " (initId " + std::to_string(body.initId) + "): marble type " +
               std::to_string(body.color) + " has no sprite";
    }
    return std::string();
}

bool CMarbleSpriteTable::AddSpriteFile(std::int32_t type, const std::string& fileName) {
    return myEntries.emplace(type, fileName).second;
}

tarn::CSpriteHandle CMarbleSpriteTable::GetSprite(std::int32_t type) const {
    return LoadSprite(GetSpriteFile(type));
}

tarn::CSpriteHandle CMarbleSpriteTable::LoadSprite(const std::string& fileName) {
    return tarn::CSpriteFactory::GetSingleton()->LoadSprite(fileName);
}

void CMarbleSpriteTable::Serialize(tarn::CXmlFileSys* filesys) {
    if (!filesys) return;
    if (filesys->IsWriting()) {
        for (const auto& entry : myEntries) {
            filesys->BeginNode(SPRITE_NAME);
            filesys->AddAttribute("marble_type", entry.first);
            filesys->AddAttribute("sprite_file", entry.second);
            filesys->EndNode(SPRITE_NAME);
        }
        return;
    }
    const tarn::CXmlNode* node = filesys->GetNode();
    if (!node) return;
    for (int i = 0; i < node->GetChildCount(); ++i) {
        tarn::CXmlNode* child = node->GetChild(i);
        if (child->GetName() != SPRITE_NAME) continue;
        tarn::CXmlFileSys sprite(child, tarn::CXmlFileSys::MODE_READ);
        std::int32_t type = 0;
        std::string fileName;
        if (sprite.ReadAttribute("marble_type", type) && sprite.ReadAttribute("sprite_file", fileName))
            AddSpriteFile(type, fileName);
    }
}

}  // namespace marbles

// Makes sprites by type id and loads them from picture files or sprite XML files; every
// loaded sprite starts as a child of the screen layer.
#include "tarn/gfx/cspritefactory.h"

#include <memory>

#include "tarn/utils/xml/cxmlfilesys.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/ctexturemanager.h"
#include "tarn/gfx/gfx.h"

namespace tarn {

namespace {

CSprite* NewSprite() { return new CSprite(); }
CSprite* NewLayer() { return new CSpriteLayer(); }
CSprite* TheScreenLayer() { return CScreenLayer::GetSingleton(); }

bool EndsInXml(const std::string& name) { return name.size() > 2 && name.compare(name.size() - 3, 3, "xml") == 0; }

}  // namespace

CSpriteFactory* CSpriteFactory::GetSingleton() {
    static CSpriteFactory* factory = new CSpriteFactory();
    return factory;
}

CSpriteFactory::CSpriteFactory() {
    AddSpriteType(SPRITE_BASE, &NewSprite);
    AddSpriteType(SPRITE_LAYER, &NewLayer);
    AddSpriteType(SPRITE_SCREENLAYER, &TheScreenLayer);
}

void CSpriteFactory::AddSpriteType(int type, Creator creator) {
    if (creator) myCreators[type] = creator;
}

std::vector<int> CSpriteFactory::GetSpriteTypes() const {
    std::vector<int> types;
    for (const auto& creator : myCreators) types.push_back(creator.first);
    return types;
}

CSprite* CSpriteFactory::CreateSprite(int type) const {
    auto found = myCreators.find(type);
    return found == myCreators.end() ? nullptr : found->second();
}

int CSpriteFactory::TypeFromName(const std::string& name) { return CSprite::TypeFromName(name); }

CSpriteHandle CSpriteFactory::MakeHandle(CSprite* sprite) {
    if (sprite == CScreenLayer::GetSingleton()) return CSpriteHandle(sprite, [](CSprite*) {});
    return CSpriteHandle(sprite);
}

CSprite* CSpriteFactory::LoadSpriteFile(const std::string& filename) const {
    std::unique_ptr<CXmlNode> root = LoadXmlRoot(filename);
    if (!root) {
        CTextureManager::GetSingleton()->ReportUnloadable(filename, "the sprite file is missing or holds no element");
        return new CSprite(GetNullImage());
    }
    int type = SPRITE_BASE;
    if (root->HasAttribute("type")) type = TypeFromName(root->GetAttribute("type").ToText());
    CSprite* sprite = CreateSprite(type);
    // A type this program does not make (yet) still gives a plain sprite.
    if (!sprite) sprite = new CSprite();
    CXmlFileSys filesys(root.get(), CXmlFileSys::MODE_READ);
    sprite->Serialize(&filesys);
    return sprite;
}

CSpriteHandle CSpriteFactory::LoadSprite(const std::string& filename) {
    CSprite* sprite = EndsInXml(filename) ? LoadSpriteFile(filename) : new CSprite(LoadImage(filename));
    CSpriteHandle handle = MakeHandle(sprite);
    CScreenLayer* screen = CScreenLayer::GetSingleton();
    if (sprite != screen) sprite->SetParent(screen);
    return handle;
}

}  // namespace tarn

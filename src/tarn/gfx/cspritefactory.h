// Makes sprites by type id and loads them from picture files or sprite XML files; every
// loaded sprite starts as a child of the screen layer.
#ifndef TARN_GFX_CSPRITEFACTORY_H
#define TARN_GFX_CSPRITEFACTORY_H

#include <map>
#include <string>
#include <vector>

#include "tarn/gfx/csprite.h"

namespace tarn {

class CSpriteFactory {
public:
    using Creator = CSprite* (*)();

    // Created on first call (with the base, layer and screen layer types) and never deleted.
    static CSpriteFactory* GetSingleton();

    CSpriteFactory();
    CSpriteFactory(const CSpriteFactory&) = delete;
    CSpriteFactory& operator=(const CSpriteFactory&) = delete;

    // Registers (or replaces) the creator of a type id.
    void AddSpriteType(int type, Creator creator);
    // A new sprite of the type, owned by the caller - except the screen layer (type 2), which
    // is the one process-wide layer. Null for a type without a creator.
    CSprite* CreateSprite(int type) const;
    // The type ids with a creator, ascending.
    std::vector<int> GetSpriteTypes() const;
    // "sprite_base" 0, "sprite_layer" 1, "sprite_screenlayer" 2, "sprite_text" 3,
    // "sprite_animated" 4; any other name 0.
    static int TypeFromName(const std::string& name);

    // A name ending in "xml" (longer than two characters) is a sprite file, anything else a
    // picture. Never empty: a name that cannot be read - missing, corrupt, or empty - gives a
    // sprite around the null image (invisible, 0 by 0). The sprite is already a child of the
    // screen layer.
    CSpriteHandle LoadSprite(const std::string& filename);
    // A handle that owns sprite, or one that never deletes it when sprite is the screen layer.
    static CSpriteHandle MakeHandle(CSprite* sprite);

private:
    // A new sprite read from a sprite file; a sprite around the null image when the file has
    // no element.
    CSprite* LoadSpriteFile(const std::string& filename) const;

    std::map<int, Creator> myCreators;
};

// Registers a creator with the sprite factory before main (one static object per type).
class CSpriteTypeRegistrar {
public:
    CSpriteTypeRegistrar(int type, CSpriteFactory::Creator creator) {
        CSpriteFactory::GetSingleton()->AddSpriteType(type, creator);
    }
};

}  // namespace tarn

#endif

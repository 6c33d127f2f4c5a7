// The program-wide table from marble type to sprite file, filled by the "SpriteData" element
// of each level; the first file given for a type stays for the whole run.
#ifndef TARN_MARBLES_GAME_CMARBLESPRITETABLE_H
#define TARN_MARBLES_GAME_CMARBLESPRITETABLE_H

#include <cstdint>
#include <map>
#include <string>

#include "tarn/gfx/csprite.h"

namespace tarn {
class CXmlFileSys;
}

namespace marbles {

class CPhysicsWorld;

class CMarbleSpriteTable {
public:
    // Created on first use; never replaced.
    static CMarbleSpriteTable* GetSingleton();

    // The sprite file of type; "" for a type without an entry.
    std::string GetSpriteFile(std::int32_t type) const;
    // Adds the pair unless type already has a file; returns whether it was added.
    bool AddSpriteFile(std::int32_t type, const std::string& fileName);
    const std::map<std::int32_t, std::string>& GetEntries() const { return myEntries; }
    // A new sprite from the file of type (the sprite loader's answer for "" when the type has
    // no entry); never empty, already shown in the screen layer.
    tarn::CSpriteHandle GetSprite(std::int32_t type) const;
    // The game's picture loader: a new sprite made from fileName (a picture or a sprite file),
    // already a child of the screen layer. An unreadable or empty name gives an invisible
    // sprite around the null image.
    static tarn::CSpriteHandle LoadSprite(const std::string& fileName);
    // Why a marble of world would be invisible: "body 3 (initId 5): marble type 7 has no
    // sprite" for the first marble whose type has no entry; "" when every marble has one.
    std::string FindMarbleWithoutSprite(const CPhysicsWorld& world) const;
    // Forgets every entry (for tools and tests; the game never does).
    void Clear() { myEntries.clear(); }

    // The "SpriteData" element: reading adds each "Sprite" child that has both "marble_type"
    // (an integer) and "sprite_file"; other children are ignored. Writing produces one
    // "Sprite" per entry in ascending type order.
    void Serialize(tarn::CXmlFileSys* filesys);

private:
    CMarbleSpriteTable() = default;

    std::map<std::int32_t, std::string> myEntries;
};

}  // namespace marbles

#endif

// The program-wide table from marble type to sprite file, filled by the "SpriteData" element
// of each level; the first file given for a type stays for the whole run.
#ifndef TARN_MARBLES_LEVEL_CMARBLESPRITETABLE_H
#define TARN_MARBLES_LEVEL_CMARBLESPRITETABLE_H

#include <cstdint>
#include <map>
#include <string>

namespace tarn {
class CXmlFileSys;
}

namespace marbles {

class CMarbleSpriteTable {
public:
    // Created on first use; never replaced.
    static CMarbleSpriteTable* GetSingleton();

    // The sprite file of type; "" for a type without an entry.
    std::string GetSpriteFile(std::int32_t type) const;
    // Adds the pair unless type already has a file; returns whether it was added.
    bool AddSpriteFile(std::int32_t type, const std::string& fileName);
    const std::map<std::int32_t, std::string>& GetEntries() const { return myEntries; }
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

// A level file: root "MarblesLevel" with an optional "PhysicsModel" (the bodies, loaded into
// the level's physics) and an optional "Graphics" (the screen's pictures, with a "SpriteData"
// child for the marble sprite table).
#ifndef TARN_MARBLES_LEVEL_CLEVELFILE_H
#define TARN_MARBLES_LEVEL_CLEVELFILE_H

#include <string>

namespace tarn {
class CXmlFileSys;
}

namespace marbles {

class CPhysicsTask;

class CLevelFile {
public:
    // The pictures a level names for its screen; the defaults stand for absent attributes.
    class CGraphics {
    public:
        std::string myBackgroundImage = "backkis";
        std::string myAnimation1Image;
        std::string myAnimation2Image;
        std::string myLevelCompleteImage = "data/level_complete.xml";
        std::string myLevelFailedImage = "data/level_lost.xml";
    };

    // Reads or writes a "SpriteData" element. The game installs one (its marble sprite table)
    // before main; without one the element is skipped on reading and left empty on writing.
    using SpriteDataSerializer = void (*)(tarn::CXmlFileSys* filesys);
    static void SetSpriteDataSerializer(SpriteDataSerializer serializer);

    // physics (not owned, may be null) receives the bodies of every level loaded.
    explicit CLevelFile(CPhysicsTask* physics) : myPhysics(physics) {}

    // Reads fileName. A file that is missing, is not a whole XML document (cut off, damaged),
    // whose root is not "MarblesLevel", or whose "PhysicsModel" is missing or cannot be played
    // (no bodies, no marble, more than MAX_LEVEL_BODIES, a body with absurd numbers) loads
    // nothing (the world keeps its bodies), is logged with the problem, and returns false.
    bool Load(const std::string& fileName);
    // Why the last Load failed ("line 3: the document ends inside a tag"), or "".
    const std::string& GetProblem() const { return myProblem; }
    // Writes the level (the world's bodies, the graphics and the sprite table); false when the
    // file cannot be written.
    bool Save(const std::string& fileName);

    // Reading: "PhysicsModel" into the physics, "Graphics" attributes into the graphics (each
    // absent one takes its default) and its "SpriteData" into the marble sprite table.
    void Serialize(tarn::CXmlFileSys* filesys);

    const CGraphics& GetGraphics() const { return myGraphics; }
    // Whether the last file read had a "Graphics" element.
    bool HasGraphics() const { return myHasGraphics; }

private:
    void ReadGraphics(tarn::CXmlFileSys* filesys);
    void WriteGraphics(tarn::CXmlFileSys* filesys) const;

    CPhysicsTask* myPhysics;
    CGraphics myGraphics;
    bool myHasGraphics = false;
    std::string myProblem;
};

}  // namespace marbles

#endif

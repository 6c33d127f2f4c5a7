// A level as the editor holds it: the three walls every level stands in, the marbles and
// static boxes placed between them, and the background picture; turned into a level file's
// bodies and back.
#ifndef TARN_MARBLES_EDITOR_CEDITORLAYOUT_H
#define TARN_MARBLES_EDITOR_CEDITORLAYOUT_H

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "marbles/physics/rigidbody.h"

namespace marbles {

class CEditorLayout {
public:
    enum EKind : std::int32_t { PIECE_MARBLE, PIECE_BOX };

    // One placed body. A marble's extent is its radius (x, y alike); a box's its half sides.
    // Fixed pieces (the walls) can be neither moved, resized nor deleted.
    struct Piece {
        EKind kind = PIECE_MARBLE;
        std::int32_t type = 0;
        Vector2 position;
        Vector2 extent{MARBLE_RADIUS, MARBLE_RADIUS};
        float orientation = 0.0f;
        std::int32_t initId = 0;
        bool fixed = false;
        bool operator==(const Piece& other) const;
    };

    // Marble types with a picture (data/gfx/marbles/marbleN.xml).
    static constexpr std::int32_t TYPE_COUNT = 6;
    static constexpr float MARBLE_RADIUS = 1.0f;
    // The inside of the walls, in world units: what the screen shows between them, above the
    // floor.
    static constexpr float PLAY_LEFT = -19.0f;
    static constexpr float PLAY_RIGHT = 19.0f;
    static constexpr float PLAY_TOP = -10.0f;
    static constexpr float PLAY_BOTTOM = 19.0f;
    // The smallest and largest half side of a box.
    static constexpr float MIN_BOX_EXTENT = 0.25f;
    static constexpr float MAX_BOX_EXTENT = 20.0f;

    // The walls alone, on the first of the editor's backgrounds.
    CEditorLayout();

    // A marble of type or a static box of half sides extent at position.
    static Piece Marble(std::int32_t type, Vector2 position);
    static Piece Box(Vector2 position, Vector2 extent);

    // Adds piece with the next free initId (not fixed); returns its index.
    unsigned Place(Piece piece);
    // False (nothing changes) for an index out of range or a fixed piece. Resize keeps a box's
    // half sides within MIN_BOX_EXTENT and MAX_BOX_EXTENT and refuses a marble.
    bool Move(unsigned index, Vector2 position);
    bool Resize(unsigned index, Vector2 extent);
    bool Remove(unsigned index);
    // The last piece placed that covers point (marbles before boxes), or -1.
    int FindAt(Vector2 point) const;

    const std::vector<Piece>& GetPieces() const { return myPieces; }
    // Marbles of each type 0 to TYPE_COUNT - 1 (other types are not counted).
    std::array<unsigned, TYPE_COUNT> CountByType() const;
    unsigned CountMarbles() const;

    // The picture behind the level: a sprite file or picture the game loads. The editor's own
    // (EDITOR_BACKGROUND with 1 to EDITOR_BACKGROUNDS) show the walls alone, each in a tint.
    static constexpr int EDITOR_BACKGROUNDS = 6;
    static std::string EditorBackground(int number);
    const std::string& GetBackground() const { return myBackground; }
    void SetBackground(const std::string& background) { myBackground = background; }

    // The level's bodies in piece order, as a level file holds them.
    std::vector<RigidBody> ToBodies() const;
    // Takes world bodies as pieces (circles of a type as marbles, every other body as a static
    // box, the three walls as fixed); replaces every piece.
    void FromBodies(const std::vector<RigidBody>& bodies);

    // Writes a level file (graphics with the marble pictures, then the bodies), replacing
    // fileName's content safely; false with reason when it cannot be written.
    bool Save(const std::string& fileName, std::string* reason = nullptr) const;
    // Reads a level file the game could play; false with problem (the layout unchanged) when
    // it is not one. Reading what Save wrote gives the same layout back.
    bool Load(const std::string& fileName, std::string* problem = nullptr);

    bool operator==(const CEditorLayout& other) const {
        return myPieces == other.myPieces && myBackground == other.myBackground;
    }

private:
    std::vector<Piece> myPieces;
    std::string myBackground;
};

}  // namespace marbles

#endif

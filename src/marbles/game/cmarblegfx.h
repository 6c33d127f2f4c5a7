// The marble the player sees and clicks: follows its body with the sprite of its type, shows
// the highlight animation while it can be or is selected, and hands clicks to the game logic.
#ifndef TARN_MARBLES_GAME_CMARBLEGFX_H
#define TARN_MARBLES_GAME_CMARBLEGFX_H

#include <array>

#include "marbles/game/cscreenmapping.h"
#include "marbles/rules/cmarble.h"
#include "tarn/gfx/csprite.h"
#include "tarn/inputdevice/imousereceiver.h"

namespace marbles {

class CMarbleGfxFactory;
class CMarblesLogic;

// Made for every body by CMarbleGfxFactory; the physics world owns and deletes it. Only a
// circle body with a type becomes visible and clickable (at its first update); other bodies
// keep a marble that never draws and never registers with the mouse.
class CMarbleGfx : public CMarble, public tarn::IMouseReceiver {
public:
    // logic (not owned) gets the clicks; it must be set before the first click. factory (not
    // owned, outliving the marble) gives the mapping to the screen and the input switch;
    // without one the marble uses the default mapping and always takes input.
    explicit CMarbleGfx(CMarblesLogic* logic = nullptr, const CMarbleGfxFactory* factory = nullptr)
        : myGameLogic(logic), myFactory(factory) {}
    // Leaves the mouse device and releases the sprite (the base leaves the marble registry).
    ~CMarbleGfx() override;

    // Mouse receiver: highlights on hover when the logic allows selecting it, drops the
    // highlight on leaving unless selected, left button clicks it, right button logs its index.
    void OnMouseMove(int x, int y) override;
    void OnMouseOut(int x, int y) override;
    void OnMouseDown(int button) override;
    void OnMouseUp(int /*button*/) override {}
    bool IsBlocking() const override { return true; }
    // The sprite's rectangle; empty without a sprite.
    tarn::CRect GetRect() const override;
    // The sprite's depth; 100000 without a sprite.
    int GetZ() const override;

    // Plays the animation of the marble's state: "selected" (a steady ring), "highlight" (a
    // turning dashed rim, for hover and hints) or "normal". A sprite file without "selected"
    // shows a selected marble with "highlight", and one without "highlight" shows "normal".
    void RefreshLook();

    void SetGameLogic(CMarblesLogic* logic) { myGameLogic = logic; }
    const tarn::CSpriteHandle& GetSprite() const { return mySprite; }
    bool IsPointerOver() const { return myPointerOver; }

protected:
    // Takes the sprite of the type and registers with the mouse device.
    void OnTypeAssigned() override;
    // Centres the sprite on the body's new screen position; a marble that has barely moved over
    // its last steps is drawn at the mean of those positions, so a resting marble does not
    // tremble on screen (the body and what the rules read are untouched).
    void OnMoved() override;
    // Plays the animation of the new state (see RefreshLook).
    void OnHighlightChanged(bool on) override;

    // The steps averaged for a resting marble, and how far (world units) its recent positions
    // may lie from the latest one for it to count as resting: 4 pixels.
    static constexpr unsigned SMOOTH_STEPS = 8;
    static constexpr float SMOOTH_RADIUS = 0.25f;
    // Where the marble is drawn (world units): the body's position, or, while it rests, the
    // mean of its recent positions, held until that mean has moved a whole pixel.
    Vector2 GetDrawnPosition();

private:
    const CScreenMapping& Mapping() const;
    bool IsInputEnabled() const;
    void RememberPosition();
    // Whether its last SMOOTH_STEPS positions all lie within SMOOTH_RADIUS of the latest.
    bool IsResting() const;

    CMarblesLogic* myGameLogic;
    const CMarbleGfxFactory* myFactory;
    std::array<Vector2, SMOOTH_STEPS> myRecent{};
    unsigned myRecentCount = 0;
    unsigned myRecentNext = 0;
    // Where a resting marble is drawn, once it is.
    Vector2 myAnchor;
    bool myAnchored = false;
    tarn::CSpriteHandle mySprite;
    bool myPointerOver = false;
};

}  // namespace marbles

#endif

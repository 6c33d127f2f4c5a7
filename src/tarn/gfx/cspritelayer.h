// A sprite that holds other sprites in depth order and redraws the minimum after a change:
// changed sprites and those in front of them are erased front to back and drawn back to front.
#ifndef TARN_GFX_CSPRITELAYER_H
#define TARN_GFX_CSPRITELAYER_H

#include <list>

#include "tarn/gfx/csprite.h"

namespace tarn {

// The layer does not own its sprites. Children are kept by Z ascending: the front of the list
// is the nearest sprite; equal Z keep insertion order. Every child whose Z is at most the
// redraw watermark is due for redrawing. Every operation first invalidates the layer itself,
// so a layer nested in another reports the change upward.
class CSpriteLayer : public CSprite {
public:
    CSpriteLayer();
    // Lets every child and hidden sprite forget the layer; none is deleted.
    ~CSpriteLayer() override;
    int GetType() const override;
    // True when the layer has no children.
    bool IsEmpty() const override;
    // Walks the children back to front, redrawing every due one onto target. False without
    // children.
    bool Redraw(CSprite* target) override;
    // Erases every child (the layer's drawing is its children's); all become due.
    bool Erase(CSprite* target) override;

    // Inserts sprite before the first child with a Z not less than its own, erasing the
    // nearer children on the way.
    virtual void AddSprite(CSprite* sprite);
    // Erases the children up to and including sprite and takes it out of the list. For a
    // sprite that is not a child every child is erased and drawn again at the next redraw.
    virtual void RemoveSprite(CSprite* sprite);
    // Stable re-sort by Z.
    virtual void SortSprites();
    // Erases every child whose Z is at most z; every such child is due for redrawing.
    virtual void InvalidateFromZ(int z);
    // Called by a child about to change: erases it and every child in front of it.
    virtual void ChildChanged(CSprite* sprite);
    // The sprite the children are erased from (not owned).
    virtual void SetTarget(CSprite* target);
    virtual CSprite* GetTarget() const;
    // Takes a child out of the drawing and keeps it aside until ShowSprite. Other sprites are
    // not hidden; the children walked past are drawn again at the next redraw.
    virtual void HideSprite(CSprite* sprite);
    // Puts a hidden sprite back among the children; other sprites are ignored.
    virtual void ShowSprite(CSprite* sprite);

    // Called by a hidden sprite that is deleted.
    void ForgetHidden(CSprite* sprite);
    const std::list<CSprite*>& GetChildren() const { return myChildren; }
    const std::list<CSprite*>& GetHidden() const { return myHidden; }
    int GetWatermark() const { return myWatermark; }

protected:
    // Inserts sprite by Z erasing the nearer children, and raises the watermark to its Z.
    void InsertByZ(CSprite* sprite);
    // Erases the children from the front up to and including sprite; the position of sprite
    // (or end) and of the child just in front of it (or end).
    std::list<CSprite*>::iterator EraseUpTo(CSprite* sprite, std::list<CSprite*>::iterator* inFront);
    void RaiseWatermark(int z);
    // A walk that missed the sprite it looked for erased every child: all are due again, or
    // they would stay background until something in front of them changed.
    void RedrawAllWalked();
    void SetWatermark(int z) { myWatermark = z; }
    std::list<CSprite*>& Children() { return myChildren; }

private:
    std::list<CSprite*> myHidden;
    std::list<CSprite*> myChildren;
    CSprite* myTarget;
    int myWatermark;
};

}  // namespace tarn

#endif

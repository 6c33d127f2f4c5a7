// The one layer whose target is the screen: besides redrawing what changed it tells the
// screen image which rectangles changed, so that only those reach the display.
#ifndef TARN_GFX_CSCREENLAYER_H
#define TARN_GFX_CSCREENLAYER_H

#include <memory>

#include "tarn/gfx/cspritelayer.h"

namespace tarn {

class IPixel;

class CScreenLayer : public CSpriteLayer {
public:
    // Created on first call and never deleted.
    static CScreenLayer* GetSingleton();

    CScreenLayer();
    ~CScreenLayer() override;
    int GetType() const override;
    // As a layer's redraw, reporting each redrawn child's new and old places as dirty
    // rectangles of the screen image. False at once when nothing is due.
    bool Redraw(CSprite* target) override;
    // The whole screen becomes dirty first (the next update is a full flip).
    void RemoveSprite(CSprite* sprite) override;
    // The target is always the screen: ignored.
    void SetTarget(CSprite* target) override;
    void HideSprite(CSprite* sprite) override;

    // Draws one frame onto the current screen image: everything after the screen image or its
    // size changed (logged "drawing all"), otherwise only what changed. Nothing without a
    // screen.
    void Refresh();
    // Makes the next refresh draw everything, as after a new screen image (for whoever
    // installs one).
    void RedrawAll() { myDrawAll = true; }
    // Lets go of the screen image (which is about to be deleted): until the next refresh on a
    // screen, changes erase nothing.
    void ReleaseScreen();

private:
    void DrawAll();
    // Blanks what a sprite drawn over blank left on the screen when it leaves the children.
    void LeaveBlank(CSprite* sprite);
    // Reports where a due child is and, when it moved, where it was.
    void ReportDirty(const CSprite* child);

    IPixel* myScreen;
    bool myDrawAll;
    // The sprite around the screen image the children draw onto.
    std::unique_ptr<CSprite> myScreenTarget;
};

}  // namespace tarn

#endif

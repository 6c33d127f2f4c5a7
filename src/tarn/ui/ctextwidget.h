// A widget showing a short text in the system font on black in a thin frame of one colour: a
// label, or the face of a button it lies on. It takes no pointer events, so they go to the widget behind it.
#ifndef TARN_UI_CTEXTWIDGET_H
#define TARN_UI_CTEXTWIDGET_H

#include <string>

#include "tarn/gfx/ccolor.h"
#include "tarn/gfx/csprite.h"
#include "tarn/ui/cwidget.h"

namespace tarn {

class CTextSprite;

namespace ui {

class CTextWidget : public CWidget {
public:
    // A child of parent at rect (relative to the parent), framed in frame (black for none), the
    // text's lines drawn from its top left corner, or centred in it when centred is true.
    CTextWidget(CWidget* parent, const CRect& rect, const std::string& text, const CColor& frame, bool centred = false);

    // Draws text instead (nothing when it is the same).
    void SetText(const std::string& text);
    const std::string& GetText() const;
    // Keeps the text sprite on the widget's rectangle and depth.
    void UpdateSprite() override;
    void UpdateSpriteDepth() override;

private:
    CTextSprite* TextSprite() const;

    bool myCentred;
    CSpriteHandle myText;
};

}  // namespace ui
}  // namespace tarn

#endif

// A sprite showing a string drawn with a font, optionally over a copy of a background
// sprite's image; every change of text, font or background renders it again.
#ifndef TARN_GFX_CTEXTSPRITE_H
#define TARN_GFX_CTEXTSPRITE_H

#include <memory>
#include <string>

#include "tarn/gfx/cfont.h"
#include "tarn/gfx/crect.h"
#include "tarn/gfx/csprite.h"

namespace tarn {

class CTextSprite : public CSprite {
public:
    // No font, no image: draws nothing.
    CTextSprite();
    // Takes font (owned); no image until Resize.
    explicit CTextSprite(CFont* font);
    // Takes font; a transparent w by h image whose whole area the text fills.
    CTextSprite(CFont* font, int w, int h);
    // Takes font and background (both owned); a w by h colour-keyed image over which the
    // background, resized to w by h, is copied.
    CTextSprite(CFont* font, int w, int h, CSprite* background);

    ~CTextSprite() override;
    int GetType() const override;
    // True without a font, else as any sprite.
    bool IsEmpty() const override;
    // Makes a new w by h image (the text area follows when it covered the whole sprite) and
    // renders into it.
    void Resize(int w, int h) override;

    virtual const std::string& GetText() const;
    // Each editing operation renders when (and only when) it changes the text.
    virtual void SetText(const std::string& text);
    virtual int GetTextLength() const;
    virtual const char* GetTextChars() const;
    // Nothing for an empty text or a position outside 0..length.
    virtual void InsertText(int position, const std::string& text);
    virtual void AppendText(const std::string& text);
    // Nothing for a position outside 0..length or a count <= 0; the count is cut at the end.
    virtual void EraseText(int position, int count);
    virtual void EraseLastChar();
    // The font, owned by the sprite, or null.
    virtual CFont* GetFont() const;
    // Takes font and deletes the previous one.
    virtual void SetFont(CFont* font);
    // The background sprite, owned by the sprite, or null.
    virtual CSprite* GetBackground() const;
    // Takes background (resized to the sprite) and deletes the previous one.
    virtual void SetBackground(CSprite* background);
    // Draws the text again over the background (or a transparent image).
    virtual void Render();

    void SetStartPosition(const CTextPos& start) { myStartPosition = start; }
    CTextPos GetEndPosition() const { return myEndPosition; }
    void SetTextArea(const CRect& area) { myTextArea = area; }
    CRect GetTextArea() const { return myTextArea; }

private:
    CTextPos myStartPosition;
    CTextPos myEndPosition;
    CRect myTextArea;
    std::unique_ptr<CSprite> myBackgroundSprite;
    std::unique_ptr<CFont> myFont;
    std::string myText;
};

}  // namespace tarn

#endif

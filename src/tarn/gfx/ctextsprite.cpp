// A sprite showing a string drawn with a font, optionally over a copy of a background
// sprite's image; every change of text, font or background renders it again.
#include "tarn/gfx/ctextsprite.h"

#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"

namespace tarn {

namespace {
CSpriteTypeRegistrar theTextSpriteRegistrar(SPRITE_TEXT, +[]() -> CSprite* { return new CTextSprite(); });
}  // namespace

CTextSprite::CTextSprite() = default;

CTextSprite::CTextSprite(CFont* font) : myFont(font) {}

CTextSprite::CTextSprite(CFont* font, int w, int h) : CSprite(CreateImageAlpha(w, h)), myFont(font) {
    myTextArea = CRect(0, 0, w, h);
    Render();
}

CTextSprite::CTextSprite(CFont* font, int w, int h, CSprite* background)
    : CSprite(CreateImage(w, h)), myBackgroundSprite(background), myFont(font) {
    myTextArea = CRect(0, 0, w, h);
    if (myBackgroundSprite) myBackgroundSprite->Resize(w, h);
    Render();
}

CTextSprite::~CTextSprite() = default;

int CTextSprite::GetType() const { return SPRITE_TEXT; }

bool CTextSprite::IsEmpty() const { return !myFont || CSprite::IsEmpty(); }

void CTextSprite::Resize(int w, int h) {
    const CRect old = GetRect();
    if (GetImage() && w == old.w && h == old.h) return;
    Invalidate();
    SetImage(myBackgroundSprite ? CreateImage(w, h) : CreateImageAlpha(w, h));
    if (myBackgroundSprite) myBackgroundSprite->Resize(w, h);
    if (myTextArea.w == old.w && myTextArea.h == old.h) {
        myTextArea.w = w;
        myTextArea.h = h;
    }
    Render();
}

const std::string& CTextSprite::GetText() const { return myText; }

void CTextSprite::SetText(const std::string& text) {
    if (text == myText) return;
    Invalidate();
    myText = text;
    Render();
}

int CTextSprite::GetTextLength() const { return static_cast<int>(myText.size()); }

const char* CTextSprite::GetTextChars() const { return myText.c_str(); }

void CTextSprite::InsertText(int position, const std::string& text) {
    if (text.empty() || position < 0 || position > GetTextLength()) return;
    Invalidate();
    myText.insert(static_cast<size_t>(position), text);
    Render();
}

void CTextSprite::AppendText(const std::string& text) {
    if (text.empty()) return;
    Invalidate();
    myText += text;
    Render();
}

void CTextSprite::EraseText(int position, int count) {
    if (position < 0 || position > GetTextLength() || count <= 0) return;
    Invalidate();
    myText.erase(static_cast<size_t>(position), static_cast<size_t>(count));
    Render();
}

void CTextSprite::EraseLastChar() {
    if (myText.empty()) return;
    Invalidate();
    myText.pop_back();
    Render();
}

CFont* CTextSprite::GetFont() const { return myFont.get(); }

void CTextSprite::SetFont(CFont* font) {
    if (font == myFont.get()) return;
    Invalidate();
    myFont.reset(font);
    Render();
}

CSprite* CTextSprite::GetBackground() const { return myBackgroundSprite.get(); }

void CTextSprite::SetBackground(CSprite* background) {
    if (background == myBackgroundSprite.get()) return;
    Invalidate();
    if (background) background->Resize(GetRect().w, GetRect().h);
    myBackgroundSprite.reset(background);
    Render();
}

void CTextSprite::Render() {
    if (!myFont) return;
    Invalidate();
    // The text is drawn into the image as set; a scaled or rotated copy is dropped.
    if (GetSourceImage() && GetImage() != GetSourceImage()) SetImage(GetSourceImage());
    IPixel* image = GetImage();
    if (image) {
        IPixel* background = myBackgroundSprite ? myBackgroundSprite->GetImage() : nullptr;
        if (background) {
            background->Blit(image);
        } else {
            image->ClearRect(CRect(0, 0, image->GetWidth(), image->GetHeight()));
        }
    }
    myEndPosition = myFont->DrawText(image, myText, myTextArea, myStartPosition);
}

}  // namespace tarn

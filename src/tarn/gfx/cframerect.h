// The frame that shows one rectangle of a sprite sheet for a number of milliseconds, or for
// as long as an inner (wrapped) frame decides.
#ifndef TARN_GFX_CFRAMERECT_H
#define TARN_GFX_CFRAMERECT_H

#include <memory>

#include "tarn/gfx/crect.h"
#include "tarn/gfx/iframe.h"

namespace tarn {

class CFrameRect : public IFrame {
public:
    static const int kTypeId = 0;

    CFrameRect() = default;
    CFrameRect(const CRect& rect, types::ticks frameLength) : myRect(rect), myFrameLength(frameLength) {}

    int GetType() const override { return kTypeId; }
    // Shows the rectangle; finished when elapsed reaches the frame length, or when the wrapped
    // frame says so.
    bool Apply(CSprite* sprite, types::ticks elapsed) override;
    // The wrapped frame's, otherwise the frame length.
    types::ticks GetNextUpdateDelay() const override;
    types::ticks GetFrameLength() const override;
    // Attribute "type" = "frame_rect", children "Rect", "FrameLength" and, with a wrapped
    // frame, "Wrapped" holding it in the same form.
    void Serialize(CXmlFileSys* filesys) override;

    const CRect& GetRect() const { return myRect; }
    // Takes frame (may be null).
    void SetWrapped(std::unique_ptr<IFrame> frame) { myWrapped = std::move(frame); }
    const IFrame* GetWrapped() const { return myWrapped.get(); }

private:
    CRect myRect;
    types::ticks myFrameLength = 0;
    std::unique_ptr<IFrame> myWrapped;
};

}  // namespace tarn

#endif

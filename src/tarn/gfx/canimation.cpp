// A named sequence of frames that an animated sprite steps through, in a loop or once, on
// the sprite's own clock.
#include "tarn/gfx/canimation.h"

#include "tarn/utils/xml/cxmlfilesys.h"
#include "tarn/gfx/canimatedsprite.h"
#include "tarn/gfx/cframefactory.h"

namespace tarn {

CAnimation::CAnimation(const std::string& name, bool loop)
    : myName(name), myCurrentFrame(-1), myFrameStart(0), myLastStep(0), myLoop(loop) {}

void CAnimation::AddFrame(std::unique_ptr<IFrame> frame) {
    if (frame) myFrames.push_back(std::move(frame));
}

void CAnimation::Restart() { myCurrentFrame = -1; }

int CAnimation::Step(CSprite* sprite, int index, types::ticks now) {
    if (myFrames.empty()) return index;
    if (index < 0 || index >= GetFrameCount()) index = 0;
    if (index != myCurrentFrame) {
        // A frame shown afresh starts now; so does the time it measures since the last step.
        myFrameStart = now;
        myLastStep = now;
        myCurrentFrame = index;
    }
    IFrame* frame = myFrames[myCurrentFrame].get();
    const bool finished = frame->Apply(sprite, now - myLastStep);
    if (!finished && now - myFrameStart < frame->GetFrameLength()) {
        myLastStep = now;
        return myCurrentFrame;
    }
    if (myCurrentFrame + 1 < GetFrameCount()) {
        ++myCurrentFrame;
    } else if (myLoop) {
        myCurrentFrame = 0;
    } else if (sprite && sprite->GetType() == SPRITE_ANIMATED) {
        static_cast<CAnimatedSprite*>(sprite)->Stop();
    }
    myFrameStart = now;
    myLastStep = now;
    // The sprite shows the frame it now reports, not the one before until the next step.
    myFrames[myCurrentFrame]->Apply(sprite, 0);
    return myCurrentFrame;
}

types::ticks CAnimation::GetNextTime() const {
    if (myCurrentFrame < 0 || myCurrentFrame >= GetFrameCount()) return myLastStep;
    return myLastStep + myFrames[myCurrentFrame]->GetNextUpdateDelay();
}

void CAnimation::Serialize(CXmlFileSys* filesys) {
    if (filesys->IsWriting()) {
        filesys->AddAttribute("name", myName);
        filesys->AddAttribute("loop", myLoop);
        for (const auto& frame : myFrames) {
            auto* node = new CXmlNode("Frame");
            filesys->GetNode()->AddChild(node);
            CXmlFileSys nested(node, CXmlFileSys::MODE_WRITE);
            frame->Serialize(&nested);
        }
        return;
    }
    filesys->ReadAttribute("name", myName);
    filesys->ReadAttribute("loop", myLoop);
    CXmlNode* node = filesys->GetNode();
    for (int i = 0; node && i < node->GetChildCount(); ++i) {
        CXmlNode* child = node->GetChild(i);
        if (child->GetName() != "Frame" || !child->HasAttribute("type")) continue;
        std::unique_ptr<IFrame> frame = CFrameFactory::GetSingleton()->CreateFrame(child->GetAttribute("type").ToText());
        if (!frame) continue;
        CXmlFileSys nested(child, CXmlFileSys::MODE_READ);
        frame->Serialize(&nested);
        myFrames.push_back(std::move(frame));
    }
}

}  // namespace tarn

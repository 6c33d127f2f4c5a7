// The frame that shows one rectangle of a sprite sheet for a number of milliseconds, or for
// as long as an inner (wrapped) frame decides.
#include "tarn/gfx/cframerect.h"

#include <string>

#include "tarn/utils/xml/cxmlfilesys.h"
#include "tarn/gfx/cframefactory.h"
#include "tarn/gfx/csprite.h"
#include "tarn/gfx/rectserialize.h"

namespace tarn {

bool CFrameRect::Apply(CSprite* sprite, types::ticks elapsed) {
    if (sprite) sprite->SetImageRect(myRect);
    if (myWrapped) return myWrapped->Apply(sprite, elapsed);
    return elapsed >= myFrameLength;
}

types::ticks CFrameRect::GetNextUpdateDelay() const {
    return myWrapped ? myWrapped->GetNextUpdateDelay() : myFrameLength;
}

types::ticks CFrameRect::GetFrameLength() const { return myWrapped ? myWrapped->GetFrameLength() : myFrameLength; }

void CFrameRect::Serialize(CXmlFileSys* filesys) {
    if (filesys->IsWriting()) {
        filesys->AddAttribute("type", std::string("frame_rect"));
        TARN_SERIALIZE(filesys, myRect, "Rect");
        TARN_SERIALIZE(filesys, myFrameLength, "FrameLength");
        if (!myWrapped) return;
        auto* node = new CXmlNode("Wrapped");
        filesys->GetNode()->AddChild(node);
        CXmlFileSys nested(node, CXmlFileSys::MODE_WRITE);
        myWrapped->Serialize(&nested);
        return;
    }
    TARN_SERIALIZE(filesys, myRect, "Rect");
    TARN_SERIALIZE(filesys, myFrameLength, "FrameLength");
    TARN_XML_HERE(filesys);
    if (!filesys->HasChild("Wrapped")) return;
    CXmlNode* node = filesys->GetChild("Wrapped");
    if (!node || !node->HasAttribute("type")) return;
    std::unique_ptr<IFrame> frame = CFrameFactory::GetSingleton()->CreateFrame(node->GetAttribute("type").ToText());
    if (!frame) return;
    CXmlFileSys nested(node, CXmlFileSys::MODE_READ);
    frame->Serialize(&nested);
    myWrapped = std::move(frame);
}

}  // namespace tarn

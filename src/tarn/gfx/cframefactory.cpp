// The process-wide registry of frame types: makes a frame for a type id or a type name.
// "frame_rect" (id 0) is always registered, and every name maps to it.
#include "tarn/gfx/cframefactory.h"

#include "tarn/gfx/cframerect.h"

namespace tarn {

namespace {

IFrame* NewFrameRect() { return new CFrameRect(); }

}  // namespace

CFrameFactory* CFrameFactory::GetSingleton() {
    static CFrameFactory* factory = new CFrameFactory();
    return factory;
}

CFrameFactory::CFrameFactory() { AddFrameType(CFrameRect::kTypeId, &NewFrameRect); }

void CFrameFactory::AddFrameType(int type, Creator creator) {
    if (creator) myCreators[type] = creator;
}

std::unique_ptr<IFrame> CFrameFactory::CreateFrame(int type) const {
    auto found = myCreators.find(type);
    return std::unique_ptr<IFrame>(found == myCreators.end() ? nullptr : found->second());
}

int CFrameFactory::TypeFromName(const std::string&) { return CFrameRect::kTypeId; }

}  // namespace tarn

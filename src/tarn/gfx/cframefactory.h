// The process-wide registry of frame types: makes a frame for a type id or a type name.
// "frame_rect" (id 0) is always registered, and every name maps to it.
#ifndef TARN_GFX_CFRAMEFACTORY_H
#define TARN_GFX_CFRAMEFACTORY_H

#include <map>
#include <memory>
#include <string>

#include "tarn/gfx/iframe.h"

namespace tarn {

class CFrameFactory {
public:
    using Creator = IFrame* (*)();

    // Created on first call and never deleted.
    static CFrameFactory* GetSingleton();

    CFrameFactory();
    CFrameFactory(const CFrameFactory&) = delete;
    CFrameFactory& operator=(const CFrameFactory&) = delete;

    // Registers (or replaces) the creator of a type id.
    void AddFrameType(int type, Creator creator);
    // A new frame of the type, or null for a type without a creator.
    std::unique_ptr<IFrame> CreateFrame(int type) const;
    std::unique_ptr<IFrame> CreateFrame(const std::string& name) const { return CreateFrame(TypeFromName(name)); }
    // There is one frame type: every name gives 0.
    static int TypeFromName(const std::string& name);

private:
    std::map<int, Creator> myCreators;
};

}  // namespace tarn

#endif

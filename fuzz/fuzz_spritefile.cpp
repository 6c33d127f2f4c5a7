// Fuzz target for sprite files: any bytes are read as a sprite element into the sprite type
// its "type" attribute names, which then joins a layer, moves, animates and is redrawn and
// deleted. Nothing may crash, hang or leak.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "support/fuzzxml.h"
#include "tarn/gfx/canimatedsprite.h"
#include "tarn/gfx/canimationupdater.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/cspritelayer.h"
#include "tarn/utils/xml/cxmlfilesys.h"
#include "tarn/utils/xml/cxmlnode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::unique_ptr<tarn::CXmlNode> root = fuzzsupport::ReadXmlTree(data, size);
    if (!root) return 0;

    int type = tarn::SPRITE_BASE;
    if (root->HasAttribute("type")) type = tarn::CSpriteFactory::TypeFromName(root->GetAttribute("type").ToText());
    tarn::CSprite* made = tarn::CSpriteFactory::GetSingleton()->CreateSprite(type);
    if (!made) made = new tarn::CSprite();
    tarn::CSpriteHandle sprite = tarn::CSpriteFactory::MakeHandle(made);
    tarn::CXmlFileSys reader(root.get(), tarn::CXmlFileSys::MODE_READ);
    reader.SetWarnings(false);
    sprite->Serialize(&reader);
    if (sprite.get() == tarn::CScreenLayer::GetSingleton()) return 0;

    tarn::CSprite target;
    target.SetRect(tarn::CRect(0, 0, 64, 48));
    tarn::CSpriteLayer layer;
    layer.SetTarget(&target);
    sprite->SetParent(&layer);
    for (tarn::types::ticks now = 1; now < 2000; now += 97) {
        tarn::CAnimationUpdater::GetSingleton()->Update(now);
        sprite->SetPosition(static_cast<int>(now % 50) - 10, static_cast<int>(now % 30) - 5);
        layer.Redraw(&target);
    }
    sprite.reset();
    return 0;
}

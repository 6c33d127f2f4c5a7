// Fuzz target for physics models: any bytes (up to 12 KiB) are read as a model into a world
// that is then stepped. Whatever the numbers, a body that starts with finite numbers and
// touches only such bodies must keep finite numbers; nothing may crash or hang.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "support/fuzzxml.h"
#include "marbles/physics/cphysicsworld.h"
#include "tarn/utils/xml/cxmlfilesys.h"
#include "tarn/utils/xml/cxmlnode.h"

namespace {

bool Finite(const marbles::RigidBody& b) {
    for (float f : {b.position.x, b.position.y, b.velocity.x, b.velocity.y, b.orientation,
                    b.angularVelocity, b.extent.x, b.extent.y, b.inverseMass,
                    b.inverseMomentOfInertia})
        if (!std::isfinite(f)) return false;
    return true;
}

}  // namespace

// About a hundred bodies: larger models only step more slowly through the same code.
const std::size_t MAX_INPUT = 12 * 1024;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > MAX_INPUT) return 0;
    std::unique_ptr<tarn::CXmlNode> root = fuzzsupport::ReadXmlTree(data, size);
    if (!root) return 0;

    marbles::CPhysicsWorld world;
    tarn::CXmlFileSys reader(root.get(), tarn::CXmlFileSys::MODE_READ);
    reader.SetWarnings(false);
    world.Serialize(&reader);
    // Text can only carry finite numbers: every body starts finite and must stay so.
    for (int step = 0; step < 20; ++step) {
        world.Step(0.05f);
        for (unsigned i = 0; i < world.GetBodyCount(); ++i)
            if (!Finite(world.GetBody(i))) std::abort();
    }
    return 0;
}

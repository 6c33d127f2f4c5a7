// Reading just the bodies of a level file into a world of their own, for the tools and
// benchmarks that step or solve a level without the game around it.
#include "marbles/level/levelphysics.h"

#include "tarn/utils/xml/cxmlfilesys.h"
#include "tarn/utils/xml/cxmlnode.h"

namespace marbles {

std::unique_ptr<CPhysicsWorld> LoadLevelPhysics(const std::string& fileName) {
    const std::unique_ptr<tarn::CXmlNode> root = tarn::LoadXmlRoot(fileName);
    if (!root || root->GetName() != "MarblesLevel") return nullptr;
    for (int k = 0; k < root->GetChildCount(); ++k) {
        tarn::CXmlNode* model = root->GetChild(k);
        if (model->GetName() != "PhysicsModel") continue;
        auto world = std::make_unique<CPhysicsWorld>();
        tarn::CXmlFileSys reader(model, tarn::CXmlFileSys::MODE_READ);
        reader.SetWarnings(false);
        world->Serialize(&reader);
        return world;
    }
    return nullptr;
}

}  // namespace marbles

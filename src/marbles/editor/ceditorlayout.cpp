// The editor's level: pieces placed, moved, resized and removed between fixed walls, and the
// level file they make.
#include "marbles/editor/ceditorlayout.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "marbles/level/levelcheck.h"
#include "marbles/physics/cphysicsworld.h"
#include "marbles/rules/cmarble.h"
#include "tarn/utils/xml/cxmlfilesys.h"
#include "tarn/utils/xml/cxmlnode.h"
#include "tarn/utils/xml/xmltree.h"

namespace marbles {

namespace {

const char* const FIRST_BACKGROUND = "data/gfx/editor/background1.xml";

// The floor and the two side walls of every shipped level.
const CEditorLayout::Piece WALLS[] = {
    {CEditorLayout::PIECE_BOX, -1, {0.0f, 20.0f}, {21.0f, 1.0f}, 0.0f, 1, true},
    {CEditorLayout::PIECE_BOX, -1, {-20.0f, 4.0f}, {1.0f, 17.0f}, 0.0f, 2, true},
    {CEditorLayout::PIECE_BOX, -1, {20.0f, 4.0f}, {1.0f, 17.0f}, 0.0f, 3, true},
};

bool SameVector(Vector2 a, Vector2 b) { return a.x == b.x && a.y == b.y; }

bool IsWall(const RigidBody& body) {
    for (const CEditorLayout::Piece& wall : WALLS)
        if (body.shape == SHAPE_BOX && SameVector(body.position, wall.position) && SameVector(body.extent, wall.extent) &&
            body.orientation == 0.0f)
            return true;
    return false;
}

// Whether point lies in the box of piece (turned by its orientation) or the marble's circle.
bool Covers(const CEditorLayout::Piece& piece, Vector2 point) {
    const Vector2 d = point - piece.position;
    if (piece.kind == CEditorLayout::PIECE_MARBLE) return Dot(d, d) <= piece.extent.x * piece.extent.x;
    const float c = std::cos(piece.orientation);
    const float s = std::sin(piece.orientation);
    return std::fabs(c * d.x + s * d.y) <= piece.extent.x && std::fabs(-s * d.x + c * d.y) <= piece.extent.y;
}

tarn::CXmlNode* FindChild(const tarn::CXmlNode* node, const std::string& name) {
    for (int i = 0; node && i < node->GetChildCount(); ++i)
        if (node->GetChild(i)->GetName() == name) return node->GetChild(i);
    return nullptr;
}

// The bodies of the level root holds, checked as the game checks them; "" or why not.
std::string ReadBodies(const tarn::CXmlNode* root, std::vector<RigidBody>& bodies) {
    const tarn::CXmlNode* model = FindChild(root, "PhysicsModel");
    if (!model) return "the level has no \"PhysicsModel\"";
    if (std::string problem = CheckBodyNumbers(model); !problem.empty()) return problem;
    auto world = std::make_unique<CPhysicsWorld>();
    tarn::CXmlFileSys reader(const_cast<tarn::CXmlNode*>(model), tarn::CXmlFileSys::MODE_READ);
    reader.SetWarnings(false);
    world->Serialize(&reader);
    if (std::string problem = CheckLevelBodies(*world); !problem.empty()) return problem;
    for (unsigned i = 0; i < world->GetBodyCount(); ++i) bodies.push_back(world->GetBody(i));
    return "";
}

void WriteGraphics(tarn::CXmlFileSys& out, const std::string& background) {
    out.BeginNode("Graphics");
    out.AddAttribute("background_image", background);
    out.AddAttribute("level_complete_image", std::string("data/level_complete.xml"));
    out.AddAttribute("level_failed_image", std::string("data/level_lost.xml"));
    out.BeginNode("SpriteData");
    for (std::int32_t type = 0; type < CEditorLayout::TYPE_COUNT; ++type) {
        out.BeginNode("Sprite");
        out.AddAttribute("marble_type", type);
        out.AddAttribute("sprite_file", "data/gfx/marbles/marble" + std::to_string(type) + ".xml");
        out.EndNode("Sprite");
    }
    out.EndNode("SpriteData");
    out.EndNode("Graphics");
}

}  // namespace

std::string CEditorLayout::EditorBackground(int number) {
    return "data/gfx/editor/background" + std::to_string(number) + ".xml";
}

bool CEditorLayout::Piece::operator==(const Piece& other) const {
    return kind == other.kind && type == other.type && SameVector(position, other.position) &&
           SameVector(extent, other.extent) && orientation == other.orientation && initId == other.initId &&
           fixed == other.fixed;
}

CEditorLayout::CEditorLayout() : myPieces(std::begin(WALLS), std::end(WALLS)), myBackground(FIRST_BACKGROUND) {}

CEditorLayout::Piece CEditorLayout::Marble(std::int32_t type, Vector2 position) {
    Piece piece;
    piece.type = type;
    piece.position = position;
    return piece;
}

CEditorLayout::Piece CEditorLayout::Box(Vector2 position, Vector2 extent) {
    Piece piece;
    piece.kind = PIECE_BOX;
    piece.type = -1;
    piece.position = position;
    piece.extent = extent;
    return piece;
}

unsigned CEditorLayout::Place(Piece piece) {
    std::int32_t last = 0;
    for (const Piece& placed : myPieces) last = std::max(last, placed.initId);
    piece.initId = last + 1;
    piece.fixed = false;
    myPieces.push_back(piece);
    return static_cast<unsigned>(myPieces.size() - 1);
}

bool CEditorLayout::Move(unsigned index, Vector2 position) {
    if (index >= myPieces.size() || myPieces[index].fixed) return false;
    myPieces[index].position = position;
    return true;
}

bool CEditorLayout::Resize(unsigned index, Vector2 extent) {
    if (index >= myPieces.size() || myPieces[index].fixed || myPieces[index].kind != PIECE_BOX) return false;
    myPieces[index].extent.x = std::clamp(extent.x, MIN_BOX_EXTENT, MAX_BOX_EXTENT);
    myPieces[index].extent.y = std::clamp(extent.y, MIN_BOX_EXTENT, MAX_BOX_EXTENT);
    return true;
}

bool CEditorLayout::Remove(unsigned index) {
    if (index >= myPieces.size() || myPieces[index].fixed) return false;
    myPieces.erase(myPieces.begin() + index);
    return true;
}

int CEditorLayout::FindAt(Vector2 point) const {
    for (EKind kind : {PIECE_MARBLE, PIECE_BOX})
        for (std::size_t i = myPieces.size(); i-- > 0;)
            if (myPieces[i].kind == kind && Covers(myPieces[i], point)) return static_cast<int>(i);
    return -1;
}

std::array<unsigned, CEditorLayout::TYPE_COUNT> CEditorLayout::CountByType() const {
    std::array<unsigned, TYPE_COUNT> counts{};
    for (const Piece& piece : myPieces)
        if (piece.kind == PIECE_MARBLE && piece.type >= 0 && piece.type < TYPE_COUNT) ++counts[piece.type];
    return counts;
}

unsigned CEditorLayout::CountMarbles() const {
    return static_cast<unsigned>(
        std::count_if(myPieces.begin(), myPieces.end(), [](const Piece& p) { return p.kind == PIECE_MARBLE; }));
}

std::vector<RigidBody> CEditorLayout::ToBodies() const {
    std::vector<RigidBody> bodies;
    for (const Piece& piece : myPieces) {
        RigidBody body;
        body.shape = piece.kind == PIECE_MARBLE ? SHAPE_CIRCLE : SHAPE_BOX;
        body.extent = piece.extent;
        body.position = piece.position;
        body.previousPosition = piece.position;
        body.orientation = piece.orientation;
        body.color = piece.kind == PIECE_MARBLE ? piece.type : -1;
        body.initId = piece.initId;
        body.staticObject = piece.kind == PIECE_MARBLE ? MOTION_DYNAMIC : MOTION_STATIC;
        body.inverseMass = piece.kind == PIECE_MARBLE ? 1.0f : 0.0f;
        body.inverseMomentOfInertia = piece.kind == PIECE_MARBLE ? 2.0f : 0.0f;
        bodies.push_back(body);
    }
    return bodies;
}

void CEditorLayout::FromBodies(const std::vector<RigidBody>& bodies) {
    myPieces.clear();
    for (const RigidBody& body : bodies) {
        Piece piece = IsMarbleBody(body) ? Marble(body.color, body.position) : Box(body.position, body.extent);
        if (IsMarbleBody(body)) piece.extent = {body.extent.x, body.extent.x};
        piece.orientation = piece.kind == PIECE_BOX ? body.orientation : 0.0f;
        piece.initId = body.initId;
        piece.fixed = IsWall(body);
        myPieces.push_back(piece);
    }
}

bool CEditorLayout::Save(const std::string& fileName, std::string* reason) const {
    tarn::CXmlNode root("MarblesLevel");
    tarn::CXmlFileSys out(&root, tarn::CXmlFileSys::MODE_WRITE);
    WriteGraphics(out, myBackground);
    out.BeginNode("PhysicsModel");
    for (const RigidBody& body : ToBodies()) out.Write(body, "RigidBody");
    out.EndNode("PhysicsModel");
    return tarn::SaveXmlRootReplacing(root, fileName, reason);
}

bool CEditorLayout::Load(const std::string& fileName, std::string* problem) {
    std::string why;
    std::unique_ptr<tarn::CXmlNode> root(tarn::LoadXmlTree(fileName, &why));
    if (why.empty() && (!root || root->GetName() != "MarblesLevel")) why = "the root element is not \"MarblesLevel\"";
    std::vector<RigidBody> bodies;
    if (why.empty()) why = ReadBodies(root.get(), bodies);
    if (problem) *problem = why;
    if (!why.empty()) return false;
    FromBodies(bodies);
    myBackground = FIRST_BACKGROUND;
    if (const tarn::CXmlNode* graphics = FindChild(root.get(), "Graphics")) {
        tarn::CXmlFileSys reader(const_cast<tarn::CXmlNode*>(graphics), tarn::CXmlFileSys::MODE_READ);
        reader.ReadAttribute("background_image", myBackground);
    }
    return true;
}

}  // namespace marbles

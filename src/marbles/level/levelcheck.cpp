// What a level's world must hold to be played: some bodies, at least one marble, no more than
// the game can step at a steady pace, and every number of every body finite and of sane size.
#include "marbles/level/levelcheck.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "marbles/physics/cphysicsworld.h"
#include "marbles/rules/cmarble.h"
#include "tarn/utils/xml/cxmlnode.h"

namespace marbles {

namespace {

std::string Name(unsigned index, const RigidBody& body) {
    return "body " + std::to_string(index) + " (initId " + std::to_string(body.initId) + ")";
}

std::string Number(float value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

bool AllFinite(const RigidBody& b) {
    const float values[] = {b.extent.x,  b.extent.y,          b.position.x,    b.position.y,
                            b.velocity.x, b.velocity.y,       b.orientation,   b.angularVelocity,
                            b.inverseMass, b.inverseMomentOfInertia};
    for (float value : values)
        if (!std::isfinite(value)) return false;
    return true;
}

bool ExtentFits(float extent) { return extent > 0.0f && extent <= MAX_LEVEL_EXTENT; }

// Why one body cannot be played, or "".
std::string CheckBody(unsigned index, const RigidBody& body) {
    if (!AllFinite(body)) return Name(index, body) + ": a number is not finite";
    if (std::fabs(body.position.x) > MAX_LEVEL_COORDINATE || std::fabs(body.position.y) > MAX_LEVEL_COORDINATE)
        return Name(index, body) + ": position (" + Number(body.position.x) + ", " + Number(body.position.y) +
               ") is farther than " + Number(MAX_LEVEL_COORDINATE) + " from the origin";
    const bool box = body.shape == SHAPE_BOX;
    if (!ExtentFits(body.extent.x) || (box && !ExtentFits(body.extent.y)))
        return Name(index, body) + ": " + (box ? "half size (" + Number(body.extent.x) + ", " + Number(body.extent.y) + ")"
                                               : "radius " + Number(body.extent.x)) +
               " is not in (0, " + Number(MAX_LEVEL_EXTENT) + "]";
    return std::string();
}

// Whether text is a whole number (blanks around it allowed) that a float holds finitely.
bool IsFiniteNumber(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    if (end == begin) return false;
    while (*end == ' ' || *end == '\t' || *end == '\n' || *end == '\r') ++end;
    return *end == '\0' && std::isfinite(value) && std::fabs(value) <= FLT_MAX;
}

// The first attribute of node that is not such a number, or -1.
int FirstBadNumber(const tarn::CXmlNode& node) {
    for (int a = 0; a < node.GetAttributeCount(); ++a)
        if (!IsFiniteNumber(node.GetAttributeValue(a).ToText())) return a;
    return -1;
}

std::string BadNumber(const tarn::CXmlNode& body, unsigned index, const tarn::CXmlNode& node, int attribute) {
    const std::string initId = body.HasAttribute("initId") ? body.GetAttribute("initId").ToText() : "0";
    std::string where = "\"" + node.GetAttributeName(attribute) + "\"";
    if (&node != &body) where += " of \"" + node.GetName() + "\"";
    return "body " + std::to_string(index) + " (initId " + initId + "): " + where +
           " is not a finite number: " + node.GetAttributeValue(attribute).ToText();
}

// The same for one body and the vectors it holds.
std::string CheckNumbersOf(const tarn::CXmlNode& body, unsigned index) {
    if (const int bad = FirstBadNumber(body); bad >= 0) return BadNumber(body, index, body, bad);
    for (int c = 0; c < body.GetChildCount(); ++c) {
        const tarn::CXmlNode& child = *body.GetChild(c);
        const std::string& name = child.GetName();
        if (name != "Radius" && name != "Position" && name != "Velocity") continue;
        if (const int bad = FirstBadNumber(child); bad >= 0) return BadNumber(body, index, child, bad);
    }
    return std::string();
}


}  // namespace

std::string CheckBodyNumbers(const tarn::CXmlNode* model) {
    unsigned index = 0;
    for (int k = 0; model && k < model->GetChildCount(); ++k) {
        const tarn::CXmlNode& child = *model->GetChild(k);
        if (child.GetName() != "RigidBody") continue;
        const std::string problem = CheckNumbersOf(child, index++);
        if (!problem.empty()) return problem;
    }
    return std::string();
}

std::string CheckLevelBodies(const CPhysicsWorld& world) {
    const unsigned count = world.GetBodyCount();
    if (count == 0) return "the level has no bodies";
    if (count > MAX_LEVEL_BODIES)
        return "the level holds " + std::to_string(count) + " bodies, more than " + std::to_string(MAX_LEVEL_BODIES);
    bool marbles = false;
    for (unsigned i = 0; i < count; ++i) {
        const RigidBody& body = world.GetBody(i);
        const std::string problem = CheckBody(i, body);
        if (!problem.empty()) return problem;
        marbles = marbles || IsMarbleBody(body);
    }
    return marbles ? std::string() : "the level has no marbles";
}

}  // namespace marbles

// The serialization context handed to every Serialize function: reading from or writing to
// an XML node tree, with the order-sensitive child lookup and its warnings. XmlLoad/XmlSave
// load and save a whole object.
#include "tarn/utils/xml/cxmlfilesys.h"

#include <fstream>

#include "tarn/utils/xml/xmltree.h"
#include "tarn/utils/logger/clogger.h"

namespace tarn {

CXmlFileSys::CXmlFileSys(CXmlNode* node, int mode)
    : myMode(mode == MODE_WRITE ? MODE_WRITE : MODE_READ), myRoot(node), myCurrent(node) {}

std::string CXmlFileSys::Where() const {
    return " in file: " + myFile + " at line " + std::to_string(myLine) + "\n";
}

void CXmlFileSys::Log(const std::string& message) const {
    if (myWarnings) CLogger::GetSingleton()->Write(message + Where());
}

bool CXmlFileSys::HasChild(const std::string& name) const {
    if (!myCurrent) return false;
    const int count = myCurrent->GetChildCount();
    if (myCursor >= 0 && myCursor < count && myCurrent->GetChild(myCursor)->GetName() == name) return true;
    for (int i = 0; i < count; ++i) {
        if (myCurrent->GetChild(i)->GetName() == name) return true;
    }
    return false;
}

CXmlNode* CXmlFileSys::GetChild(const std::string& name) {
    if (!myCurrent) return nullptr;
    const int count = myCurrent->GetChildCount();
    if (myCursor >= count) {
        Log("Xml warning, ain't no childs left in the current node: " + myCurrent->GetName());
    } else if (myCurrent->GetChild(myCursor)->GetName() == name) {
        return myCurrent->GetChild(myCursor++);
    }
    Log("Xml warning a child node wasn't in the place it should be, order fucked up in node: " +
        myCurrent->GetName());
    for (myCursor = 0; myCursor < count; ++myCursor) {
        CXmlNode* child = myCurrent->GetChild(myCursor);
        // The cursor stays on the found child.
        if (child->GetName() == name) return child;
    }
    Log("Xml error a child node: " + name + " wasn't found at all in the node: " + myCurrent->GetName());
    return nullptr;
}

void CXmlFileSys::BeginNode(const std::string& name) {
    if (!IsWriting() || !myCurrent) return;
    auto* child = new CXmlNode(name);
    myCurrent->AddChild(child);
    myCurrent = child;
}

void CXmlFileSys::AddAttribute(const std::string& name, const CAnyContainer& value) {
    if (!IsWriting() || !myCurrent) return;
    myCurrent->AddAttribute(name, value);
}

void CXmlFileSys::EndNode(const std::string& name) {
    if (!IsWriting() || !myCurrent) return;
    if (myCurrent->GetName() != name) {
        Log("Xml warning, trying to end a different node: " + name + " should end: " + myCurrent->GetName());
    }
    if (myCurrent != myRoot) myCurrent = myCurrent->GetParent();
}

std::unique_ptr<CXmlNode> LoadXmlRoot(const std::string& fileName) {
    return std::unique_ptr<CXmlNode>(LoadXmlTree(fileName));
}

bool SaveXmlRoot(const CXmlNode& root, const std::string& fileName) {
    // Binary: the file has the same bytes ("\n" line ends) on every system.
    std::ofstream out(fileName, std::ios::out | std::ios::trunc | std::ios::binary);
    if (!out) {
        CLogger::GetSingleton()->Write("Xml error, could not write the file: " + fileName + "\n");
        return false;
    }
    WriteXmlTree(&root, out);
    out.close();
    return !out.fail();
}

}  // namespace tarn

// The serialization context handed to every Serialize function: reading from or writing to
// an XML node tree, with the order-sensitive child lookup and its warnings. XmlLoad/XmlSave
// load and save a whole object.
#include "tarn/utils/xml/cxmlfilesys.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "tarn/io/filereplace.h"
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

namespace {

// Logs why fileName could not be written: the step that failed and the system's reason.
bool SaveFailed(const std::string& fileName, const char* step, int error, std::string* reason) {
    const std::string why = std::string(step) + ": " + std::strerror(error);
    CLogger::GetSingleton()->Write("Xml error, could not write the file: " + fileName + " (" + why + ")\n");
    if (reason) *reason = why;
    return false;
}

std::string XmlText(const CXmlNode& root) {
    std::ostringstream text;
    WriteXmlTree(&root, text);
    return text.str();
}

}  // namespace

bool SaveXmlRoot(const CXmlNode& root, const std::string& fileName, std::string* reason) {
    const std::string bytes = XmlText(root);
    // Binary: the file has the same bytes ("\n" line ends) on every system.
    std::FILE* file = std::fopen(fileName.c_str(), "wb");
    if (!file) return SaveFailed(fileName, "open", errno, reason);
    const char* step = nullptr;
    const int error = WriteAndClose(file, bytes, step);
    if (step) return SaveFailed(fileName, step, error, reason);
    return true;
}

bool SaveXmlRootReplacing(const CXmlNode& root, const std::string& fileName, std::string* reason) {
    std::string why;
    if (ReplaceFileContent(fileName, XmlText(root), &why)) return true;
    CLogger::GetSingleton()->Write("Xml error, could not write the file: " + fileName + " (" + why + ")\n");
    if (reason) *reason = why;
    return false;
}

bool ReplaceFile(const std::string& temporary, const std::string& fileName, std::string* reason) {
    return MoveFileOver(temporary, fileName, reason);
}

}  // namespace tarn

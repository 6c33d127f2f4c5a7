// The ordered list of level files with the player's progress, and its "LevelList" file.
#include "marbles/level/clevellist.h"

#include <cstdio>
#include <memory>

#include "tarn/utils/logger/clogger.h"
#include "tarn/utils/xml/cxmlfilesys.h"

namespace marbles {

namespace {

const char* const ROOT_NAME = "LevelList";
const char* const LEVEL_NAME = "Level";

}  // namespace

void CLevelList::Clear() {
    myEntries.clear();
    myPosition = 0;
}

bool CLevelList::Load(const std::string& fileName) {
    Clear();
    std::unique_ptr<tarn::CXmlNode> root = tarn::LoadXmlRoot(fileName);
    if (!root || root->GetName() != ROOT_NAME) {
        tarn::CLogger::GetSingleton()->Warning() << "Could not read the level list: " << fileName << "\n";
        return false;
    }
    tarn::CXmlFileSys filesys(root.get(), tarn::CXmlFileSys::MODE_READ);
    Read(&filesys);
    return true;
}

bool CLevelList::Save(const std::string& fileName) const {
    if (myEntries.empty()) {
        tarn::CLogger::GetSingleton()->Warning() << "The level list is empty, not written: " << fileName << "\n";
        return false;
    }
    // Written beside the old file and then moved over it, so a failed or interrupted write
    // never leaves a cut-off list (and the player's progress lost) behind.
    const std::string temporary = fileName + ".tmp";
    if (!tarn::XmlSave(*this, temporary, ROOT_NAME)) {
        std::remove(temporary.c_str());
        return false;
    }
    if (std::rename(temporary.c_str(), fileName.c_str()) == 0) return true;
    // Some systems refuse to rename over an existing file.
    std::remove(fileName.c_str());
    if (std::rename(temporary.c_str(), fileName.c_str()) == 0) return true;
    tarn::CLogger::GetSingleton()->Warning() << "Could not write the level list: " << fileName << "\n";
    std::remove(temporary.c_str());
    return false;
}

void CLevelList::Serialize(tarn::CXmlFileSys* filesys) {
    if (!filesys) return;
    if (filesys->IsReading()) {
        Read(filesys);
    } else {
        Write(filesys);
    }
}

void CLevelList::Read(tarn::CXmlFileSys* filesys) {
    const tarn::CXmlNode* node = filesys->GetNode();
    if (!node) return;
    for (int i = 0; i < node->GetChildCount(); ++i) {
        tarn::CXmlNode* child = node->GetChild(i);
        if (child->GetName() != LEVEL_NAME) continue;
        tarn::CXmlFileSys level(child, tarn::CXmlFileSys::MODE_READ);
        std::int32_t position = 0;
        CEntry entry;
        if (!level.ReadAttribute("position", position) || !level.ReadAttribute("filename", entry.myFileName))
            continue;
        if (position <= 0 || position >= MAX_POSITION) continue;
        level.ReadAttribute("completed", entry.myCompleted);
        myEntries.resize(static_cast<std::size_t>(position) + 1);
        myEntries[static_cast<std::size_t>(position)] = entry;
    }
}

void CLevelList::Write(tarn::CXmlFileSys* filesys) const {
    for (std::size_t i = 0; i < myEntries.size(); ++i) {
        filesys->BeginNode(LEVEL_NAME);
        filesys->AddAttribute("position", static_cast<std::int32_t>(i));
        filesys->AddAttribute("filename", myEntries[i].myFileName);
        filesys->AddAttribute("completed", myEntries[i].myCompleted);
        filesys->EndNode(LEVEL_NAME);
    }
}

std::string CLevelList::GetNextLevel() {
    if (IsInside()) myEntries[static_cast<std::size_t>(myPosition)].myCompleted = true;
    return SkipLevel();
}

std::string CLevelList::SkipLevel() {
    if (IsInside()) ++myPosition;
    if (!IsInside()) return std::string();
    return myEntries[static_cast<std::size_t>(myPosition)].myFileName;
}

}  // namespace marbles

// The ordered list of level files with the player's progress, and its "LevelList" file.
#include "marbles/level/clevellist.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

#include "tarn/io/regularfile.h"
#include "tarn/utils/logger/clogger.h"
#include "tarn/utils/xml/cxmlfilesys.h"
#include "tarn/utils/xml/xmltree.h"

namespace marbles {

namespace {

const char* const ROOT_NAME = "LevelList";
const char* const LEVEL_NAME = "Level";

}  // namespace

void CLevelList::Clear() {
    myEntries.clear();
    myPosition = 0;
    myDamaged = false;
    myRecoverable = false;
}

namespace {

// How many "Level" tags the raw file holds: what a whole reading would have found.
int CountLevelTags(const std::string& fileName) {
    std::string text;
    tarn::ReadRegularFile(fileName, tarn::CFileLimits::kXml, text);
    const std::string tag = std::string("<") + LEVEL_NAME;
    int count = 0;
    for (std::string::size_type at = text.find(tag); at != std::string::npos; at = text.find(tag, at + 1)) {
        const char next = at + tag.size() < text.size() ? text[at + tag.size()] : '\0';
        if (next == ' ' || next == '\t' || next == '\r' || next == '\n' || next == '/' || next == '>') ++count;
    }
    return count;
}

}  // namespace

bool CLevelList::Load(const std::string& fileName) {
    Clear();
    std::string problem;
    std::unique_ptr<tarn::CXmlNode> root(tarn::LoadXmlTree(fileName, &problem));
    if (!root || root->GetName() != ROOT_NAME) {
        tarn::CLogger::GetSingleton()->Warning() << "Could not read the level list: " << fileName
                                                 << (problem.empty() ? std::string() : ", " + problem) << "\n";
        return false;
    }
    tarn::CXmlFileSys filesys(root.get(), tarn::CXmlFileSys::MODE_READ);
    Read(&filesys);
    // Damage can also hide a level without breaking the document: junk that opens a tag runs
    // on into the next level's tag. Every "Level" tag of the file must stand in the list.
    int levels = 0;
    for (int i = 0; i < root->GetChildCount(); ++i) levels += root->GetChild(i)->GetName() == LEVEL_NAME ? 1 : 0;
    const int tags = CountLevelTags(fileName);
    if (problem.empty() && levels >= tags) return true;
    myDamaged = true;
    myRecoverable = levels >= tags;
    tarn::CLogger::GetSingleton()->Warning() << "The level list is damaged: " << fileName << ", "
                                             << (problem.empty() ? std::string("a level tag is broken") : problem)
                                             << "; read " << levels << " of " << tags << " levels\n";
    return true;
}

bool CLevelList::Save(const std::string& fileName) const {
    tarn::CLogger& log = *tarn::CLogger::GetSingleton();
    if (myEntries.empty()) {
        log.Warning() << "The level list is empty, not written: " << fileName << "\n";
        return false;
    }
    if (myDamaged && !myRecoverable) {
        log.Warning() << "The level list was damaged and levels may be lost: " << fileName
                      << " is kept as it was and this session's progress is not written\n";
        return false;
    }
    if (myDamaged) {
        const std::string kept = fileName + ".bad";
        if (std::rename(fileName.c_str(), kept.c_str()) != 0) {
            log.Warning() << "Could not keep the damaged level list as " << kept << ": " << std::strerror(errno) << "; "
                          << fileName << " is not written\n";
            return false;
        }
        log.Warning() << "The damaged level list is kept as " << kept << "; the recovered list is written to "
                      << fileName << "\n";
    }
    // Written beside the old file and then moved over it, so a failed or interrupted write
    // never leaves a cut-off list (and the player's progress lost) behind.
    const std::string temporary = fileName + ".tmp";
    std::string reason;
    if (!tarn::XmlSave(*this, temporary, ROOT_NAME, &reason) || !tarn::ReplaceFile(temporary, fileName, &reason)) {
        log.Warning() << "Could not write the level list: " << fileName << " (" << reason << ")\n";
        std::remove(temporary.c_str());
        return false;
    }
    return true;
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
        const std::size_t index = static_cast<std::size_t>(position);
        if (myEntries.size() <= index) myEntries.resize(index + 1);
        myEntries[index] = entry;
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

void CLevelList::SetPosition(std::int32_t position) {
    myPosition = std::clamp(position, 0, static_cast<std::int32_t>(myEntries.size()));
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

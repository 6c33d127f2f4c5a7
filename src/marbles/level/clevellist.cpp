// The ordered list of level files with the player's progress, and its "LevelList" file.
#include "marbles/level/clevellist.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

#include "tarn/io/filereplace.h"
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
    const int lost = Read(&filesys);
    // Damage can also hide a level without breaking the document: junk that opens a tag runs
    // on into the next level's tag. Every "Level" tag of the file must stand in the list.
    int levels = 0;
    for (int i = 0; i < root->GetChildCount(); ++i) levels += root->GetChild(i)->GetName() == LEVEL_NAME ? 1 : 0;
    const int tags = CountLevelTags(fileName);
    if (problem.empty() && levels >= tags && lost == 0) return true;
    myDamaged = true;
    myRecoverable = levels >= tags && lost == 0;
    if (problem.empty()) {
        problem = levels < tags
                      ? std::string("a level tag is broken")
                      : std::to_string(lost) + " levels have no position from 1 to " + std::to_string(MAX_POSITION - 1);
    }
    tarn::CLogger::GetSingleton()->Warning()
        << "The level list is damaged: " << fileName << ", " << problem << "; read " << levels - lost << " of "
        << std::max(levels, tags) << " levels\n";
    return true;
}

namespace {

// The file's bytes in text; false when it cannot be read.
bool ReadBytes(const std::string& fileName, std::string& text) {
    std::ifstream in(fileName, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return in.is_open() && !in.bad();
}

}  // namespace

bool CLevelList::KeepDamagedFile(const std::string& fileName) const {
    tarn::CLogger& log = *tarn::CLogger::GetSingleton();
    // Copied, not moved: the player's file stays in place until the new list takes it.
    const std::string kept = fileName + ".bad";
    std::string original;
    std::string reason;
    if (!ReadBytes(fileName, original)) reason = std::string("read: ") + std::strerror(errno);
    if (!reason.empty() || !tarn::ReplaceFileContent(kept, original, &reason)) {
        log.Warning() << "Could not keep the damaged level list as " << kept << ": " << reason << "; " << fileName
                      << " is not written\n";
        return false;
    }
    log.Warning() << "The damaged level list is kept as " << kept << "; the recovered list is written to " << fileName
                  << "\n";
    return true;
}

bool CLevelList::Save(const std::string& fileName) {
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
    if (myDamaged && !KeepDamagedFile(fileName)) return false;
    std::string reason;
    if (!tarn::XmlSaveReplacing(*this, fileName, ROOT_NAME, &reason)) {
        log.Warning() << "Could not write the level list: " << fileName << " (" << reason << ")\n";
        return false;
    }
    // The file now holds the whole list: later saves replace it as usual.
    myDamaged = false;
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

int CLevelList::Read(tarn::CXmlFileSys* filesys) {
    const tarn::CXmlNode* node = filesys->GetNode();
    if (!node) return 0;
    std::vector<std::pair<std::int32_t, CEntry>> placed;
    int lost = 0;
    for (int i = 0; i < node->GetChildCount(); ++i) {
        tarn::CXmlNode* child = node->GetChild(i);
        if (child->GetName() != LEVEL_NAME) continue;
        tarn::CXmlFileSys level(child, tarn::CXmlFileSys::MODE_READ);
        std::int32_t position = 0;
        CEntry entry;
        // Without a file name there is no level to keep: a hole, or the place before the first.
        if (!level.ReadAttribute("filename", entry.myFileName) || entry.myFileName.empty()) continue;
        const bool placeable = level.ReadAttribute("position", position) && position >= 0 && position < MAX_POSITION;
        if (!placeable) ++lost;
        if (!placeable || position == 0) continue;
        level.ReadAttribute("completed", entry.myCompleted);
        level.ReadAttribute("best_moves", entry.myBestMoves);
        level.ReadAttribute("best_time", entry.myBestSeconds);
        placed.emplace_back(position, entry);
    }
    // Levels in position order, those of one position in file order; no holes in between.
    std::stable_sort(placed.begin(), placed.end(),
                     [](const auto& left, const auto& right) { return left.first < right.first; });
    if (myEntries.empty() && !placed.empty()) myEntries.emplace_back();
    for (const auto& level : placed) myEntries.push_back(level.second);
    return lost;
}

void CLevelList::WriteEntry(tarn::CXmlFileSys* filesys, std::int32_t index, const CEntry& entry) {
    filesys->BeginNode(LEVEL_NAME);
    filesys->AddAttribute("position", index);
    filesys->AddAttribute("filename", entry.myFileName);
    filesys->AddAttribute("completed", entry.myCompleted);
    // A list without records stays byte for byte what it was.
    if (entry.myBestMoves > 0) filesys->AddAttribute("best_moves", entry.myBestMoves);
    if (entry.myBestSeconds > 0) filesys->AddAttribute("best_time", entry.myBestSeconds);
    filesys->EndNode(LEVEL_NAME);
}

void CLevelList::Write(tarn::CXmlFileSys* filesys) const {
    for (std::size_t i = 0; i < myEntries.size(); ++i) WriteEntry(filesys, static_cast<std::int32_t>(i), myEntries[i]);
}

CRecordNews CLevelList::RecordWin(unsigned index, std::uint32_t moves, std::uint32_t seconds) {
    CEntry& entry = myEntries[index];
    CRecordNews news;
    news.myFirst = entry.myBestMoves == 0 && entry.myBestSeconds == 0;
    news.myFewerMoves = moves > 0 && (entry.myBestMoves == 0 || moves < entry.myBestMoves);
    news.myFaster = seconds > 0 && (entry.myBestSeconds == 0 || seconds < entry.myBestSeconds);
    if (news.myFewerMoves) entry.myBestMoves = moves;
    if (news.myFaster) entry.myBestSeconds = seconds;
    return news;
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

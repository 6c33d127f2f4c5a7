// The checks a shared level passes before it joins the player's levels, and the import.
#include "marbles/editor/sharedlevel.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "marbles/editor/ceditorlayout.h"
#include "marbles/editor/layoutcheck.h"
#include "marbles/level/csolutionfile.h"
#include "marbles/level/solutionreplay.h"
#include "tarn/io/filereplace.h"
#include "tarn/io/regularfile.h"
#include "tarn/platform/platform.h"

namespace marbles {

namespace {

using Piece = CEditorLayout::Piece;

// The walls' outer edges: where a box's centre may lie.
const float OUTER_LEFT = -21.0f;
const float OUTER_RIGHT = 21.0f;
const float OUTER_TOP = -13.0f;
const float OUTER_BOTTOM = 21.0f;

std::string Number(float value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

std::string Name(const Piece& piece) {
    return (piece.kind == CEditorLayout::PIECE_MARBLE ? "marble " : "box ") + std::to_string(piece.initId);
}

bool Within(float value, float low, float high) { return value >= low && value <= high; }

// Why piece cannot be shared (unknown type, absurd size, outside the walls), or "".
std::string CheckPiece(const Piece& piece) {
    if (piece.kind == CEditorLayout::PIECE_BOX) {
        if (!Within(piece.extent.x, MIN_SHARED_BOX_EXTENT, MAX_SHARED_BOX_EXTENT) ||
            !Within(piece.extent.y, MIN_SHARED_BOX_EXTENT, MAX_SHARED_BOX_EXTENT))
            return Name(piece) + " has half sides " + Number(piece.extent.x) + " by " + Number(piece.extent.y) +
                   ", not within " + Number(MIN_SHARED_BOX_EXTENT) + " to " + Number(MAX_SHARED_BOX_EXTENT);
        if (!Within(piece.position.x, OUTER_LEFT, OUTER_RIGHT) || !Within(piece.position.y, OUTER_TOP, OUTER_BOTTOM))
            return Name(piece) + " lies outside the walls";
        return "";
    }
    if (piece.type < 0 || piece.type >= CEditorLayout::TYPE_COUNT)
        return Name(piece) + " has type " + std::to_string(piece.type) + ", which has no picture";
    if (!Within(piece.extent.x, MIN_SHARED_RADIUS, MAX_SHARED_RADIUS))
        return Name(piece) + " has radius " + Number(piece.extent.x) + ", not within " + Number(MIN_SHARED_RADIUS) +
               " to " + Number(MAX_SHARED_RADIUS);
    if (!LiesInsideWalls(piece)) return Name(piece) + " lies outside the walls";
    return "";
}

std::string CheckLayoutBounds(const CEditorLayout& layout) {
    if (layout.CountMarbles() > MAX_SHARED_MARBLES)
        return "it holds " + std::to_string(layout.CountMarbles()) + " marbles, more than " +
               std::to_string(MAX_SHARED_MARBLES);
    for (const Piece& piece : layout.GetPieces())
        if (std::string problem = CheckPiece(piece); !problem.empty()) return problem;
    return "";
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Copies source's bytes to a new file beside destination; the copy's name, or "" (reason set).
std::string CopyBeside(const std::string& source, const std::string& destination, std::uint64_t limit,
                       std::string& reason) {
    std::string bytes;
    if (!tarn::ReadRegularFile(source, limit, bytes, &reason)) return "";
    const std::string copy = tarn::TemporaryNameBeside(destination);
    if (!tarn::ReplaceFileContent(copy, bytes, &reason)) return "";
    return copy;
}

}  // namespace

std::string SolutionFileOf(const std::string& levelFile) {
    const std::string suffix = ".xml";
    if (levelFile.size() > suffix.size() && levelFile.compare(levelFile.size() - suffix.size(), suffix.size(), suffix) == 0)
        return levelFile.substr(0, levelFile.size() - suffix.size()) + ".solution";
    return levelFile + ".solution";
}

std::string CheckSharedLevel(const std::string& levelFile, const std::string& solutionFile) {
    CEditorLayout layout;
    std::string problem;
    if (!layout.Load(levelFile, &problem)) return "it is no level the game can play: " + problem;
    if (problem = CheckLayoutBounds(layout); !problem.empty()) return problem;
    CSolutionFile solution;
    if (!solution.Load(solutionFile)) return "its solution " + BaseName(solutionFile) + " cannot be read";
    const SolutionReplay replay = ReplaySolution(levelFile, solution.GetClicks());
    if (!replay.won) return "its solution does not win: " + replay.ending;
    return "";
}

bool ImportLevel(const std::string& levelFile, const std::string& folder, std::string& message) {
    const std::string name = BaseName(levelFile);
    const std::string level = folder + "/" + name;
    const std::string solution = SolutionFileOf(level);
    std::string problem;
    std::string solutionCopy;
    const std::string levelCopy = CopyBeside(levelFile, level, tarn::CFileLimits::kXml, problem);
    if (levelCopy.empty()) problem = "it cannot be read: " + problem;
    if (!levelCopy.empty())
        solutionCopy = CopyBeside(SolutionFileOf(levelFile), solution, tarn::CFileLimits::kText, problem);
    if (!levelCopy.empty() && solutionCopy.empty())
        problem = "its solution " + BaseName(SolutionFileOf(levelFile)) + " cannot be read: " + problem;
    if (!solutionCopy.empty()) problem = CheckSharedLevel(levelCopy, solutionCopy);
    if (problem.empty() && !(tarn::MoveFileOver(solutionCopy, solution, &problem) &&
                             tarn::MoveFileOver(levelCopy, level, &problem)))
        problem = "it cannot be written: " + problem;
    for (const std::string& copy : {levelCopy, solutionCopy})
        if (!copy.empty()) std::remove(copy.c_str());
    message = problem.empty() ? "Imported " + name + " into My levels" : "Not imported: " + name + ": " + problem;
    return problem.empty();
}

std::vector<std::string> FindSharedLevels(const std::string& folder, std::vector<std::string>& notices) {
    std::vector<tarn::platform::DirEntry> entries;
    tarn::platform::ListDirectory(folder, "*.xml", entries);
    std::vector<std::string> names;
    for (const auto& entry : entries)
        if (!entry.myIsDirectory) names.push_back(entry.myName);
    std::sort(names.begin(), names.end());
    std::vector<std::string> levels;
    for (const std::string& name : names) {
        const std::string path = folder + "/" + name;
        const std::string problem = CheckSharedLevel(path, SolutionFileOf(path));
        if (problem.empty()) levels.push_back(path);
        else notices.push_back("Not in My levels: " + name + ": " + problem);
    }
    return levels;
}

}  // namespace marbles

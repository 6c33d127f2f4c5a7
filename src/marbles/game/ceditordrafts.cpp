// Finds a free name for a new level of the player's and writes the editor's drafts and their
// solutions.
#include "marbles/game/ceditordrafts.h"

#include <cstdio>

#include "marbles/editor/sharedlevel.h"
#include "tarn/io/installlayout.h"
#include "tarn/platform/platform.h"

namespace marbles {

namespace {

bool Exists(const std::string& path) {
    tarn::platform::FileEntry entry;
    return tarn::platform::FindFirstEntry(path, entry);
}

}  // namespace

std::string CEditorDrafts::FreeName(const std::string& folder) {
    for (int n = 1;; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "mylevel%02d.xml", n);
        if (!Exists(folder + "/" + name) && !Exists(folder + "/drafts/" + name)) return name;
    }
}

std::string CEditorDrafts::Write(const std::string& drafts, const std::string& name, const CEditorLayout& layout,
                                 const std::vector<CSolutionFile::Click>* solution) {
    if (!tarn::MakeDirectories(drafts)) return "cannot create " + drafts;
    const std::string level = drafts + "/" + name;
    std::string reason;
    if (!layout.Save(level, &reason)) return "cannot write " + level + ": " + reason;
    if (!solution) return "";
    CSolutionFile file;
    file.GetClicks() = *solution;
    return file.Save(SolutionFileOf(level), {"Marbles solution found by the level editor"})
               ? ""
               : "cannot write " + SolutionFileOf(level);
}

}  // namespace marbles

// The level editor's files: the free name a new level is saved under, and the drafts (levels
// not proven, and the copies that are tested) written into the "drafts" folder.
#ifndef TARN_MARBLES_GAME_CEDITORDRAFTS_H
#define TARN_MARBLES_GAME_CEDITORDRAFTS_H

#include <string>
#include <vector>

#include "marbles/editor/ceditorlayout.h"
#include "marbles/level/csolutionfile.h"

namespace marbles {

class CEditorDrafts {
public:
    // "mylevelNN.xml" with the first NN free in folder and its "drafts" folder.
    static std::string FreeName(const std::string& folder);
    // Writes layout as name into the folder drafts (created when missing), and the winning
    // clicks beside it when solution is not null; "" when written, otherwise why not.
    static std::string Write(const std::string& drafts, const std::string& name, const CEditorLayout& layout,
                             const std::vector<CSolutionFile::Click>* solution);
};

}  // namespace marbles

#endif

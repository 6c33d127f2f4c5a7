// What the level editor asks of the game around it: to play its level with the real rules,
// and to list a level it proved and saved among the player's own levels.
#ifndef TARN_MARBLES_GAME_IEDITORHOST_H
#define TARN_MARBLES_GAME_IEDITORHOST_H

#include <string>

namespace marbles {

class IEditorHost {
public:
    virtual ~IEditorHost() = default;
    // Plays levelFile at once (at the next update), the editor hidden; Escape comes back to
    // it. A solutionFile that is not empty is replayed in the level.
    virtual void TestLevel(const std::string& levelFile, const std::string& solutionFile) = 0;
    // levelFile (proven and checked) was saved into the player's levels: it joins "My levels".
    virtual void AddOwnLevel(const std::string& levelFile) = 0;
};

}  // namespace marbles

#endif

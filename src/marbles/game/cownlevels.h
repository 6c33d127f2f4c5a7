// The player's own levels in the running game: joined into the level list at the start, the
// level editor that makes them and the test runs of its level, and the boxes drawn over them.
#ifndef TARN_MARBLES_GAME_COWNLEVELS_H
#define TARN_MARBLES_GAME_COWNLEVELS_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "marbles/game/ceditorscreen.h"
#include "marbles/game/cscreenflow.h"
#include "marbles/level/clevellist.h"
#include "tarn/gfx/csprite.h"

namespace marbles {

class CPhysicsWorld;
class CPlayerLevelList;
class CReplay;
class IEditorHost;

class COwnLevels {
public:
    // Joins the level files of the My levels folder that pass their checks into list; each
    // refused one is logged and counted in GetNotice().
    void Join(CLevelList& list);
    // What the title says about level files refused from My levels; "" if none.
    const std::string& GetNotice() const { return myNotice; }
    // levelFile joins the list (once) and the list is written.
    static void Add(CPlayerLevelList& levels, const std::string& levelFile);

    // Opens the editor for host on a copy of the level at position of list (an empty level for
    // 0 or a level that cannot be read).
    void OpenEditor(IEditorHost* host, const CLevelList& list, std::int32_t position);
    // Deletes the editor and forgets its test and a pick under way.
    void CloseEditor();
    // The solution replayed in the next test run ("" for none).
    void SetTestSolution(const std::string& solutionFile) { myTestSolution = solutionFile; }
    // Hides the editor for a test run of its level and queues the solution in replay; false
    // (nothing done) without an editor.
    bool BeginTest(CReplay& replay);
    // The test run is over: the editor is shown again.
    void EndTest();
    // The next click on a level-select tile opens the editor on a copy of that level.
    void StartPick() { myEditPick = true; }
    // A screen change asked for while testing or picking, as the editor wants it.
    CScreenFlow::EChange Redirect(CScreenFlow::EChange change) const;

    // Draws the boxes of the level just loaded in world when it is the player's own (the
    // list's current level) or a test: its background does not show them.
    void ShowBoxes(const CLevelList& list, const CPhysicsWorld& world);
    void ClearBoxes() { myBoxes.clear(); }

    // The level editor while it is open (shown, or hidden while its level is tested); null
    // otherwise.
    CEditorScreen* GetEditor() const { return myEditor.get(); }
    bool IsTesting() const { return myTesting; }
    bool IsPicking() const { return myEditPick; }
    // The editor is on screen (not testing its level).
    bool IsEditing() const { return myEditor && !myTesting; }

private:
    std::unique_ptr<CEditorScreen> myEditor;
    // The editor's level is being played.
    bool myTesting = false;
    bool myEditPick = false;
    std::string myTestSolution;
    std::string myNotice;
    std::vector<tarn::CSpriteHandle> myBoxes;
};

}  // namespace marbles

#endif

// Joins the player's own levels into the list, opens and hides the level editor around the
// test runs of its level, and draws the boxes of an own level.
#include "marbles/game/cownlevels.h"

#include "marbles/editor/sharedlevel.h"
#include "marbles/game/cplayerlevellist.h"
#include "marbles/game/creplay.h"
#include "marbles/game/gamepaths.h"
#include "marbles/game/levelprogress.h"
#include "marbles/game/screentext.h"
#include "marbles/physics/cphysicsworld.h"
#include "tarn/utils/logger/clogger.h"

namespace marbles {

namespace {

tarn::CLogger* Log() { return tarn::CLogger::GetSingleton(); }

}  // namespace

using EChange = CScreenFlow::EChange;

void COwnLevels::Join(CLevelList& list) {
    std::vector<std::string> notices;
    const std::string folder = GetGamePaths().GetMyLevelsDir();
    JoinOwnLevels(list, FindSharedLevels(folder, notices), folder);
    for (const std::string& notice : notices) Log()->Warning() << notice << "\n";
    if (!notices.empty())
        myNotice = std::to_string(notices.size()) + " level file(s) in " + folder +
                   " did not pass the checks for My levels.\nSee the log: " + CPlayerLevelList::LogLocation();
}

void COwnLevels::Add(CPlayerLevelList& levels, const std::string& levelFile) {
    CLevelList& list = levels.GetList();
    for (unsigned position = 1; position < list.GetEntryCount(); ++position)
        if (list.GetEntry(position).myFileName == levelFile) return;
    list.AddEntry(OwnLevelEntry(levelFile));
    levels.Save();
}

void COwnLevels::OpenEditor(IEditorHost* host, const CLevelList& list, std::int32_t position) {
    CEditorLayout layout;
    std::string problem;
    const bool copy = position >= 1 && position < static_cast<std::int32_t>(list.GetEntryCount());
    if (copy && !layout.Load(list.GetEntry(static_cast<unsigned>(position)).myFileName, &problem))
        Log()->Warning() << "The editor starts on an empty level: " << problem << "\n";
    // The shipped pictures show their own boxes: the copy takes a picture of the walls alone.
    layout.SetBackground(CEditorLayout::EditorBackground(1));
    myEditor = std::make_unique<CEditorScreen>(host, GetGamePaths().GetMyLevelsDir(), layout);
    Log()->Debug() << "Showing the level editor\n";
}

void COwnLevels::CloseEditor() {
    myEditor.reset();
    myTesting = false;
    myEditPick = false;
}

bool COwnLevels::BeginTest(CReplay& replay) {
    if (!myEditor) return false;
    myEditor->Hide();
    myTesting = true;
    if (!myTestSolution.empty()) replay.Queue(myTestSolution);
    return true;
}

void COwnLevels::EndTest() {
    myTesting = false;
    if (myEditor) myEditor->Show();
    Log()->Debug() << "Back in the level editor\n";
}

EChange COwnLevels::Redirect(EChange change) const {
    // A test of the editor's level ends back in the editor, whatever the picture leads to.
    if (myTesting && change != EChange::NONE && change != EChange::HELP && change != EChange::QUIT)
        return EChange::EDITOR_RETURN;
    if (myEditPick && change == EChange::CHOSEN_LEVEL) return EChange::EDITOR;
    return change;
}

void COwnLevels::ShowBoxes(const CLevelList& list, const CPhysicsWorld& world) {
    const std::int32_t at = list.GetPosition();
    const bool own = at >= 1 && list.IsInside() && list.GetEntry(static_cast<unsigned>(at)).myOwn;
    if (!own && !myTesting) return;
    CEditorLayout layout;
    std::vector<RigidBody> bodies;
    for (unsigned i = 0; i < world.GetBodyCount(); ++i) bodies.push_back(world.GetBody(i));
    layout.FromBodies(bodies);
    for (const CEditorLayout::Piece& piece : layout.GetPieces())
        if (piece.kind == CEditorLayout::PIECE_BOX && !piece.fixed)
            myBoxes.push_back(MakeScreenBodyBox(piece.position, piece.extent, piece.orientation, false, 60));
}

}  // namespace marbles

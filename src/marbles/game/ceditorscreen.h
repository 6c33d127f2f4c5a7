// The level editor on screen: the level's background, walls, boxes and marbles drawn where
// the game draws them, the palette, the counts and warnings, and the proof's progress. The
// mouse places, drags, resizes (a box by its corner) and deletes (right button) pieces; Delete
// removes the chosen piece, Ctrl+Z and Ctrl+Y undo and redo.
#ifndef TARN_MARBLES_GAME_CEDITORSCREEN_H
#define TARN_MARBLES_GAME_CEDITORSCREEN_H

#include <memory>
#include <string>
#include <vector>

#include "marbles/editor/cleveleditor.h"
#include "marbles/editor/clevelprover.h"
#include "marbles/game/ceditorview.h"
#include "marbles/level/csolutionfile.h"
#include "tarn/gfx/csprite.h"
#include "tarn/tasks/events/ikeylistener.h"
#include "tarn/tasks/events/imouselistener.h"

namespace marbles {

class CEditorPalette;
class IEditorHost;

class CEditorScreen : public tarn::IKeyListener, public tarn::IMouseListener {
public:
    // The tool that places a box; 0 to CEditorLayout::TYPE_COUNT - 1 place marbles.
    static constexpr int TOOL_BOX = -1;
    // Milliseconds of proof per game update: the editor answers between two slices.
    static constexpr double PROOF_SLICE_MS = 15.0;

    // host (not owned) plays and lists levels; folder holds the player's levels (created on
    // the first save) and its "drafts" folder the unproven ones and the tests. Starts on
    // layout, saved under the first free name "mylevelNN.xml". Listens to the event
    // dispatcher's keys and mouse from now on.
    CEditorScreen(IEditorHost* host, const std::string& folder, const CEditorLayout& layout);
    // Leaves the dispatcher and deletes the palette.
    ~CEditorScreen() override;
    CEditorScreen(const CEditorScreen&) = delete;
    CEditorScreen& operator=(const CEditorScreen&) = delete;

    // Once per game update: a slice of the proof while one runs, then the picture.
    void Update();
    // Hidden while its level is tested: nothing drawn, no input taken.
    void Show();
    void Hide();
    bool IsShown() const { return myShown; }

    // The palette's actions.
    void ChooseTool(int tool);
    void UndoStep();
    void RedoStep();
    void NextBackground();
    void Test();
    void ShowSolution();
    void Prove();
    void Save();
    // Escape while a proof runs stops it (the editor stays); true when one was stopped.
    bool StopProof();
    bool IsProving() const { return myProver && !myProver->IsDone(); }
    // Whether the level as it is now was proven winnable.
    bool IsProven() const;

    void OnKeyDown(int key) override;
    void OnKeyUp(int key) override;
    void OnMouseMove(int x, int y) override;
    void OnMouseDown(int button) override;
    void OnMouseUp(int button) override;

    const CLevelEditor& GetEditor() const { return myEditor; }
    int GetTool() const { return myTool; }
    int GetSelected() const { return mySelected; }
    const std::string& GetFileName() const { return myFileName; }
    // The lines of the HUD as shown: counts, warnings or the last message, the proof.
    std::vector<std::string> GetHudLines() const;
    CEditorPalette* GetPalette() const { return myPalette; }

private:
    enum class EDrag { NONE, MOVE, RESIZE };

    void CreatePalette();
    Vector2 PointerInWorld() const;
    void Pick(Vector2 point);
    void Say(const std::string& message);
    void Changed();
    void Draw();
    std::string DraftsFolder() const;
    // Writes the level (and the solution when proven) into the drafts folder; "" or why not.
    std::string WriteDraft(const std::string& name, bool withSolution);

    IEditorHost* myHost;
    std::string myFolder;
    std::string myFileName;
    CLevelEditor myEditor;
    CEditorPalette* myPalette = nullptr;
    std::unique_ptr<CLevelProver> myProver;
    // The layout the prover works on, and the winning clicks once it is proven.
    CEditorLayout myProofLayout;
    std::vector<CSolutionFile::Click> mySolution;
    int myTool = 0;
    int mySelected = -1;
    EDrag myDrag = EDrag::NONE;
    Vector2 myGrab;
    int myX = 0;
    int myY = 0;
    bool myControl = false;
    bool myShown = true;
    bool myDirty = true;
    std::string myMessage;
    CEditorView myView;
};

}  // namespace marbles

#endif

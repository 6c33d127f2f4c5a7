// The level editor on screen: drawing the layout, the palette and the HUD, and turning the
// player's mouse and keys into the editor model's changes.
#include "marbles/game/ceditorscreen.h"

#include <cmath>

#include "marbles/editor/layoutcheck.h"
#include "marbles/editor/sharedlevel.h"
#include "marbles/game/ceditordrafts.h"
#include "marbles/game/ceditorpalette.h"
#include "marbles/game/ceditorview.h"
#include "marbles/game/cmarblespritetable.h"
#include "marbles/game/cscreenmapping.h"
#include "marbles/game/ieditorhost.h"
#include "tarn/io/installlayout.h"
#include "tarn/tasks/events/ceventdispatcher.h"
#include "tarn/tasks/task_sdl/keynames.h"
#include "tarn/utils/logger/clogger.h"

namespace marbles {

namespace {

const int LEFT_BUTTON = 1;
const int RIGHT_BUTTON = 4;
// How near (world units) to a box's corner a press grabs it for resizing.
const float CORNER_REACH = 0.6f;
// Positions are kept to this step (world units), so files stay tidy.
const float GRID = 0.05f;
// Frame colours of the marble-type buttons, in type order.
const int TYPE_COLOURS[CEditorLayout::TYPE_COUNT][3] = {{220, 60, 60},  {60, 160, 230}, {80, 200, 90},
                                                        {230, 200, 60}, {180, 90, 220}, {240, 140, 50}};

const CScreenMapping& Mapping() {
    static const CScreenMapping mapping;
    return mapping;
}

float Snap(float value) { return std::round(value / GRID) * GRID; }

}  // namespace

CEditorScreen::CEditorScreen(IEditorHost* host, const std::string& folder, const CEditorLayout& layout)
    : myHost(host), myFolder(folder), myFileName(CEditorDrafts::FreeName(folder)), myEditor(layout) {
    for (std::int32_t type = 0; type < CEditorLayout::TYPE_COUNT; ++type)
        CMarbleSpriteTable::GetSingleton()->AddSpriteFile(type, "data/gfx/marbles/marble" + std::to_string(type) + ".xml");
    CreatePalette();
    tarn::CEventDispatcher::GetSingleton()->AddKeyListener(this);
    tarn::CEventDispatcher::GetSingleton()->AddMouseListener(this);
    Say("Click to place, drag to move, right click to delete");
}

CEditorScreen::~CEditorScreen() {
    tarn::CEventDispatcher::GetSingleton()->RemoveKeyListener(this);
    tarn::CEventDispatcher::GetSingleton()->RemoveMouseListener(this);
    delete myPalette;
}

void CEditorScreen::CreatePalette() {
    std::vector<CEditorPalette::Entry> entries;
    for (int type = 0; type < CEditorLayout::TYPE_COUNT; ++type) {
        const int* rgb = TYPE_COLOURS[type];
        entries.push_back({std::to_string(type), 22, rgb[0], rgb[1], rgb[2], [this, type] { ChooseTool(type); }});
    }
    entries.push_back({"Box", 34, 160, 110, 60, [this] { ChooseTool(TOOL_BOX); }});
    const std::pair<const char*, void (CEditorScreen::*)()> actions[] = {
        {"Undo", &CEditorScreen::UndoStep}, {"Redo", &CEditorScreen::RedoStep}, {"Backgr.", &CEditorScreen::NextBackground},
        {"Test", &CEditorScreen::Test},     {"Show", &CEditorScreen::ShowSolution}, {"Prove", &CEditorScreen::Prove},
        {"Save", &CEditorScreen::Save}};
    for (const auto& action : actions)
        entries.push_back({action.first, 58, 120, 120, 140, [this, action] { (this->*action.second)(); }});
    myPalette = new CEditorPalette(entries, &myPalette);
    ChooseTool(myTool);
}

void CEditorScreen::Update() {
    if (IsProving()) {
        myProver->Advance(1000, PROOF_SLICE_MS);
        if (myProver->GetState() == CLevelProver::STATE_WINNABLE) mySolution = myProver->GetSolution();
        if (myProver->IsDone()) Say("Proof: " + myProver->Describe());
        myDirty = true;
    }
    if (myShown && myDirty) Draw();
}

void CEditorScreen::Show() {
    myShown = true;
    if (!myPalette) CreatePalette();
    myDirty = true;
    Draw();
}

void CEditorScreen::Hide() {
    myShown = false;
    myDrag = EDrag::NONE;
    // The window widget's frame would stay on screen: the palette goes, and comes back.
    delete myPalette;
    myView.Clear();
}

void CEditorScreen::ChooseTool(int tool) {
    myTool = tool;
    if (myPalette) myPalette->Highlight(tool == TOOL_BOX ? CEditorLayout::TYPE_COUNT : static_cast<std::size_t>(tool));
}

void CEditorScreen::UndoStep() {
    if (!myEditor.Undo()) return Say("Nothing to undo");
    mySelected = -1;
    Changed();
}

void CEditorScreen::RedoStep() {
    if (!myEditor.Redo()) return Say("Nothing to redo");
    mySelected = -1;
    Changed();
}

void CEditorScreen::NextBackground() {
    int current = 0;
    for (int n = 1; n <= CEditorLayout::EDITOR_BACKGROUNDS; ++n)
        if (CEditorLayout::EditorBackground(n) == myEditor.GetLayout().GetBackground()) current = n;
    myEditor.SetBackground(CEditorLayout::EditorBackground(current % CEditorLayout::EDITOR_BACKGROUNDS + 1));
    Changed();
}

std::string CEditorScreen::DraftsFolder() const { return myFolder + "/drafts"; }

std::string CEditorScreen::WriteDraft(const std::string& name, bool withSolution) {
    return CEditorDrafts::Write(DraftsFolder(), name, myEditor.GetLayout(), withSolution ? &mySolution : nullptr);
}

void CEditorScreen::Test() {
    if (const std::string problem = WriteDraft("test.xml", false); !problem.empty()) return Say(problem);
    myHost->TestLevel(DraftsFolder() + "/test.xml", "");
}

void CEditorScreen::ShowSolution() {
    if (!IsProven()) return Say("Prove the level first");
    if (const std::string problem = WriteDraft("test.xml", true); !problem.empty()) return Say(problem);
    myHost->TestLevel(DraftsFolder() + "/test.xml", DraftsFolder() + "/test.solution");
}

void CEditorScreen::Prove() {
    if (IsProving()) return;
    myProofLayout = myEditor.GetLayout();
    mySolution.clear();
    myProver = std::make_unique<CLevelProver>(myProofLayout.ToBodies());
    Say("Proving... (Escape stops)");
}

bool CEditorScreen::StopProof() {
    if (!IsProving()) return false;
    myProver->Stop();
    Say("Proof " + myProver->Describe());
    return true;
}

bool CEditorScreen::IsProven() const { return !mySolution.empty() && myProofLayout == myEditor.GetLayout(); }

void CEditorScreen::Save() {
    const bool proven = IsProven();
    if (const std::string problem = WriteDraft(myFileName, proven); !problem.empty()) return Say(problem);
    if (!proven) return Say("Saved as a draft (not proven): drafts/" + myFileName);
    if (!tarn::MakeDirectories(myFolder)) return Say("Cannot create " + myFolder);
    std::string message;
    const bool imported = ImportLevel(DraftsFolder() + "/" + myFileName, myFolder, message);
    Say(imported ? "Saved to My levels: " + myFileName : message);
    if (imported) myHost->AddOwnLevel(myFolder + "/" + myFileName);
}

void CEditorScreen::OnKeyDown(int key) {
    if (!myShown) return;
    if (key == tarn::KeyNameToCode("left ctrl") || key == tarn::KeyNameToCode("right ctrl")) myControl = true;
    if (key == tarn::KeyNameToCode("delete") && mySelected >= 0) {
        myEditor.Remove(static_cast<unsigned>(mySelected));
        mySelected = -1;
        Changed();
    }
    if (myControl && key == tarn::KeyNameToCode("z")) UndoStep();
    if (myControl && key == tarn::KeyNameToCode("y")) RedoStep();
}

void CEditorScreen::OnKeyUp(int key) {
    if (key == tarn::KeyNameToCode("left ctrl") || key == tarn::KeyNameToCode("right ctrl")) myControl = false;
}

Vector2 CEditorScreen::PointerInWorld() const {
    return {Snap((static_cast<float>(myX) - Mapping().myOffsetX) / Mapping().myScaleX),
            Snap((static_cast<float>(myY) - Mapping().myOffsetY) / Mapping().myScaleY)};
}

void CEditorScreen::OnMouseMove(int x, int y) {
    myX = x;
    myY = y;
    if (!myShown || myDrag == EDrag::NONE || mySelected < 0) return;
    const auto index = static_cast<unsigned>(mySelected);
    const CEditorLayout::Piece& piece = myEditor.GetLayout().GetPieces()[index];
    const Vector2 point = PointerInWorld();
    if (myDrag == EDrag::MOVE) myEditor.Move(index, point - myGrab);
    if (myDrag == EDrag::RESIZE) {
        const Vector2 d = point - piece.position;
        const float c = std::cos(piece.orientation);
        const float s = std::sin(piece.orientation);
        myEditor.Resize(index, {std::fabs(c * d.x + s * d.y), std::fabs(-s * d.x + c * d.y)});
    }
    Changed();
}

void CEditorScreen::OnMouseDown(int button) {
    if (!myShown || myY < CEditorPalette::HEIGHT) return;
    const Vector2 point = PointerInWorld();
    const int hit = myEditor.GetLayout().FindAt(point);
    if (button == RIGHT_BUTTON) {
        if (hit >= 0 && myEditor.Remove(static_cast<unsigned>(hit))) mySelected = -1;
        return Changed();
    }
    if (button == LEFT_BUTTON) Pick(point);
}

// A press of the left button: the chosen box's corner resizes it, a piece is taken to move,
// elsewhere the tool places a new piece there.
void CEditorScreen::Pick(Vector2 point) {
    const std::vector<CEditorLayout::Piece>& pieces = myEditor.GetLayout().GetPieces();
    const bool boxChosen = mySelected >= 0 && pieces[static_cast<unsigned>(mySelected)].kind == CEditorLayout::PIECE_BOX;
    int hit = myEditor.GetLayout().FindAt(point);
    myDrag = EDrag::MOVE;
    if (boxChosen && Length(CEditorView::CornerOf(pieces[static_cast<unsigned>(mySelected)]) - point) <= CORNER_REACH) {
        myDrag = EDrag::RESIZE;
        hit = mySelected;
    } else if (hit < 0) {
        hit = static_cast<int>(myEditor.Place(myTool == TOOL_BOX ? CEditorLayout::Box(point, {2.0f, 0.5f})
                                                                 : CEditorLayout::Marble(myTool, point)));
    }
    mySelected = hit;
    myGrab = point - myEditor.GetLayout().GetPieces()[static_cast<unsigned>(hit)].position;
    if (myEditor.GetLayout().GetPieces()[static_cast<unsigned>(hit)].fixed) myDrag = EDrag::NONE;
    myEditor.BeginDrag();
    Changed();
}

void CEditorScreen::OnMouseUp(int /*button*/) {
    myDrag = EDrag::NONE;
    myEditor.EndDrag();
}

void CEditorScreen::Say(const std::string& message) {
    tarn::CLogger::GetSingleton()->Debug() << "Editor: " << message << "\n";
    myMessage = message;
    myDirty = true;
}

void CEditorScreen::Changed() { myDirty = true; }

std::vector<std::string> CEditorScreen::GetHudLines() const {
    const auto counts = myEditor.GetLayout().CountByType();
    std::string line = "Marbles " + std::to_string(myEditor.GetLayout().CountMarbles()) + ":";
    for (std::size_t type = 0; type < counts.size(); ++type)
        if (counts[type] > 0) line += "  type " + std::to_string(type) + ": " + std::to_string(counts[type]);
    const std::vector<std::string> warnings = CheckLayout(myEditor.GetLayout());
    std::string proof = IsProven() ? "Proven winnable: " + std::to_string(mySolution.size() / 3) + " moves" : "Not proven";
    if (myProver && !myProver->IsDone()) proof = myProver->Describe();
    return {line, warnings.empty() ? myMessage : "Warning: " + warnings[0], proof};
}

void CEditorScreen::Draw() {
    myDirty = false;
    if (!myShown) return;
    myView.DrawLayout(myEditor.GetLayout(), mySelected);
    myView.DrawHud(GetHudLines(), myProver ? myProver->GetProgress() : 0.0f);
}

}  // namespace marbles

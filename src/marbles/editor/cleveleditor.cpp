// The editor's model: changes to the layout with their undo and redo history.
#include "marbles/editor/cleveleditor.h"

namespace marbles {

CLevelEditor::CLevelEditor(const CEditorLayout& layout) : myLayout(layout) {}

void CLevelEditor::Reset(const CEditorLayout& layout) {
    myLayout = layout;
    myUndo.clear();
    myRedo.clear();
    myDragging = false;
}

bool CLevelEditor::Record(const CEditorLayout& before) {
    myRedo.clear();
    if (myDragging && myDragRecorded) return true;
    myDragRecorded = myDragging;
    if (myUndo.size() == MAX_UNDO) myUndo.erase(myUndo.begin());
    myUndo.push_back(before);
    return true;
}

unsigned CLevelEditor::Place(const CEditorLayout::Piece& piece) {
    Record(myLayout);
    return myLayout.Place(piece);
}

bool CLevelEditor::Move(unsigned index, Vector2 position) {
    const CEditorLayout before = myLayout;
    return myLayout.Move(index, position) && Record(before);
}

bool CLevelEditor::Resize(unsigned index, Vector2 extent) {
    const CEditorLayout before = myLayout;
    return myLayout.Resize(index, extent) && Record(before);
}

bool CLevelEditor::Remove(unsigned index) {
    const CEditorLayout before = myLayout;
    return myLayout.Remove(index) && Record(before);
}

void CLevelEditor::SetBackground(const std::string& background) {
    if (background == myLayout.GetBackground()) return;
    Record(myLayout);
    myLayout.SetBackground(background);
}

bool CLevelEditor::Undo() {
    if (myUndo.empty()) return false;
    myRedo.push_back(myLayout);
    myLayout = myUndo.back();
    myUndo.pop_back();
    return true;
}

bool CLevelEditor::Redo() {
    if (myRedo.empty()) return false;
    myUndo.push_back(myLayout);
    myLayout = myRedo.back();
    myRedo.pop_back();
    return true;
}

}  // namespace marbles

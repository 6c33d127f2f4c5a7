// The editor's model: a layout changed by the player's actions, each of which can be taken
// back and done again. Plain logic; the editor screen turns clicks and keys into these calls.
#ifndef TARN_MARBLES_EDITOR_CLEVELEDITOR_H
#define TARN_MARBLES_EDITOR_CLEVELEDITOR_H

#include <cstddef>
#include <string>
#include <vector>

#include "marbles/editor/ceditorlayout.h"

namespace marbles {

class CLevelEditor {
public:
    // Steps kept for undo; the oldest is forgotten beyond this.
    static constexpr std::size_t MAX_UNDO = 200;

    // Starts from layout (the walls alone by default) with nothing to undo.
    explicit CLevelEditor(const CEditorLayout& layout = CEditorLayout());

    const CEditorLayout& GetLayout() const { return myLayout; }
    // Starts over from layout (a file opened): the history is forgotten.
    void Reset(const CEditorLayout& layout);

    // Each call below that changes the layout is one undo step and forgets what was undone.
    // The calls return what the layout's calls return (Place: the new index).
    unsigned Place(const CEditorLayout::Piece& piece);
    bool Move(unsigned index, Vector2 position);
    bool Resize(unsigned index, Vector2 extent);
    bool Remove(unsigned index);
    void SetBackground(const std::string& background);

    // Between these, every move and resize together make one undo step (a mouse drag).
    void BeginDrag() { myDragging = true; myDragRecorded = false; }
    void EndDrag() { myDragging = false; }

    // Takes back the last step or does again the last one taken back; false when there is none.
    bool Undo();
    bool Redo();
    bool CanUndo() const { return !myUndo.empty(); }
    bool CanRedo() const { return !myRedo.empty(); }

private:
    // Keeps before, the layout as it was before a change, for undo (once per drag); returns
    // true.
    bool Record(const CEditorLayout& before);

    CEditorLayout myLayout;
    std::vector<CEditorLayout> myUndo;
    std::vector<CEditorLayout> myRedo;
    bool myDragging = false;
    bool myDragRecorded = false;
};

}  // namespace marbles

#endif

// The editor's history: every change taken back and done again, a drag as one step.
#include <gtest/gtest.h>

#include "marbles/editor/cleveleditor.h"

using namespace marbles;

TEST(LevelEditor, UndoesAndRedoesEachChangeAndADragAsOne) {
    CLevelEditor editor;
    std::vector<CEditorLayout> seen = {editor.GetLayout()};
    const unsigned marble = editor.Place(CEditorLayout::Marble(1, {0, 10}));
    seen.push_back(editor.GetLayout());
    const unsigned box = editor.Place(CEditorLayout::Box({4, 4}, {2, 1}));
    seen.push_back(editor.GetLayout());
    editor.BeginDrag();
    for (int x = 1; x <= 5; ++x) editor.Move(marble, {static_cast<float>(x), 10});
    editor.Resize(box, {3, 1});
    editor.EndDrag();
    seen.push_back(editor.GetLayout());
    editor.SetBackground("data/gfx/levels/chapter1_level02.xml");
    seen.push_back(editor.GetLayout());
    EXPECT_FALSE(editor.Remove(0));  // a wall: no step
    editor.Remove(marble);
    seen.push_back(editor.GetLayout());

    for (std::size_t k = seen.size() - 1; k-- > 0;) {
        ASSERT_TRUE(editor.Undo());
        EXPECT_EQ(editor.GetLayout(), seen[k]) << "undo to " << k;
    }
    EXPECT_FALSE(editor.Undo());
    for (std::size_t k = 1; k < seen.size(); ++k) {
        ASSERT_TRUE(editor.Redo());
        EXPECT_EQ(editor.GetLayout(), seen[k]) << "redo to " << k;
    }
    EXPECT_FALSE(editor.Redo());
    // A change after an undo forgets what was undone.
    editor.Undo();
    editor.Place(CEditorLayout::Marble(0, {0, 0}));
    EXPECT_FALSE(editor.CanRedo());
    // The history is bounded; Reset forgets it.
    for (std::size_t k = 0; k < CLevelEditor::MAX_UNDO + 5; ++k) editor.SetBackground(std::to_string(k));
    std::size_t undone = 0;
    while (editor.Undo()) ++undone;
    EXPECT_EQ(undone, CLevelEditor::MAX_UNDO);
    editor.Reset(CEditorLayout());
    EXPECT_FALSE(editor.CanUndo() || editor.CanRedo());
}

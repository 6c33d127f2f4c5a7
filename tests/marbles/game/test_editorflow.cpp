// The way into and out of the level editor: E (or the title's button) on the title opens it,
// Escape leaves it for the title, and nothing else leads there.
#include <gtest/gtest.h>

#include "marbles/game/cscreenflow.h"

using namespace marbles;
using S = CScreenFlow::EScreen;
using I = CScreenFlow::EInput;
using C = CScreenFlow::EChange;

TEST(EditorFlow, OnlyTheTitleOpensTheEditorAndEscapeLeavesIt) {
    const S screens[] = {S::LEVEL, S::HELP, S::COMPLETE, S::LOST, S::TITLE, S::LEVEL_SELECT, S::LOAD_FAILED};
    for (S screen : screens)
        EXPECT_EQ(CScreenFlow::Next(screen, I::EDITOR_KEY), screen == S::TITLE ? C::EDITOR : C::NONE)
            << static_cast<int>(screen);
    const C fromEditor[] = {C::NONE, C::NONE, C::TITLE, C::NONE, C::NONE};
    const I inputs[] = {I::CLICK, I::CLICK_BUTTON, I::BACK_KEY, I::LEVEL_SELECT_KEY, I::EDITOR_KEY};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(CScreenFlow::Next(S::EDITOR, inputs[i]), fromEditor[i]) << i;
}

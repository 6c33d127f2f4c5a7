// Tests of the screen flow: every screen's answer to every input, and the kept request.
#include <gtest/gtest.h>

#include "marbles/game/cscreenflow.h"

using namespace marbles;
using S = CScreenFlow::EScreen;
using I = CScreenFlow::EInput;
using C = CScreenFlow::EChange;

TEST(ScreenFlow, EachScreenAnswersEachInputAsThePlayerExpects) {
    const S screens[] = {S::LEVEL, S::HELP, S::COMPLETE, S::LOST, S::TITLE, S::LEVEL_SELECT, S::LOAD_FAILED};
    const I inputs[] = {I::CLICK, I::CLICK_BUTTON, I::BACK_KEY, I::LEVEL_SELECT_KEY, I::OPTIONS};
    // Rows: screens in the order above; columns: inputs in the order above. Options open only
    // over the title.
    const C expected[7][5] = {
        {C::NONE, C::NONE, C::TITLE, C::NONE, C::NONE},                    // clicks in a level go to the marbles
        {C::CONTINUE, C::NONE, C::TITLE, C::NONE, C::NONE},                // help
        {C::SAME_LEVEL, C::NONE, C::TITLE, C::NONE, C::NONE},              // complete: the position is the next level
        {C::SAME_LEVEL, C::NONE, C::TITLE, C::NONE, C::NONE},              // lost: again
        {C::HELP, C::LEVEL_SELECT, C::QUIT, C::LEVEL_SELECT, C::OPTIONS},  // title
        {C::NONE, C::CHOSEN_LEVEL, C::TITLE, C::NONE, C::NONE},            // only an open tile counts
        {C::SKIP_LEVEL, C::NONE, C::TITLE, C::NONE, C::NONE},              // load failure
    };
    for (int s = 0; s < 7; ++s) {
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(CScreenFlow::Next(screens[s], inputs[i]), expected[s][i]) << s << " " << i;
    }
}

TEST(ScreenFlow, TheLastRequestWinsAndIsTakenOnce) {
    CScreenFlow flow;
    flow.Request(C::TITLE);
    flow.Request(C::CHOSEN_LEVEL, 7);
    std::int32_t position = 0;
    EXPECT_EQ(flow.Take(position), C::CHOSEN_LEVEL);
    EXPECT_EQ(position, 7);
    EXPECT_EQ(flow.Take(position), C::NONE);
}

// The transitions between the game's screens, in one table.
#include "marbles/game/cscreenflow.h"

namespace marbles {

namespace {

using S = CScreenFlow::EScreen;
using I = CScreenFlow::EInput;
using C = CScreenFlow::EChange;

struct STransition {
    S myScreen;
    I myInput;
    C myChange;
};

const STransition TRANSITIONS[] = {
    {S::TITLE, I::CLICK, C::HELP},
    {S::TITLE, I::CLICK_BUTTON, C::LEVEL_SELECT},
    {S::TITLE, I::LEVEL_SELECT_KEY, C::LEVEL_SELECT},
    {S::TITLE, I::BACK_KEY, C::QUIT},
    {S::TITLE, I::OPTIONS, C::OPTIONS},
    {S::TITLE, I::EDITOR_KEY, C::EDITOR},
    {S::EDITOR, I::BACK_KEY, C::TITLE},
    {S::HELP, I::CLICK, C::CONTINUE},
    {S::HELP, I::BACK_KEY, C::TITLE},
    {S::COMPLETE, I::CLICK, C::SAME_LEVEL},
    {S::COMPLETE, I::BACK_KEY, C::TITLE},
    {S::LOST, I::CLICK, C::SAME_LEVEL},
    {S::LOST, I::BACK_KEY, C::TITLE},
    {S::LEVEL_SELECT, I::CLICK_BUTTON, C::CHOSEN_LEVEL},
    {S::LEVEL_SELECT, I::BACK_KEY, C::TITLE},
    {S::LOAD_FAILED, I::CLICK, C::SKIP_LEVEL},
    {S::LOAD_FAILED, I::BACK_KEY, C::TITLE},
    {S::LEVEL, I::BACK_KEY, C::TITLE},
};

}  // namespace

CScreenFlow::EChange CScreenFlow::Next(EScreen screen, EInput input) {
    for (const STransition& transition : TRANSITIONS) {
        if (transition.myScreen == screen && transition.myInput == input) return transition.myChange;
    }
    return EChange::NONE;
}

}  // namespace marbles

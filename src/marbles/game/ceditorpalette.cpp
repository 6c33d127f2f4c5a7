// The editor's palette: a window widget with a button widget per tool and action.
#include "marbles/game/ceditorpalette.h"

#include "marbles/game/screentext.h"
#include "tarn/ui/cdesktopwidget.h"

namespace marbles {

namespace {

// In front of the level and the editor's pieces.
const int PALETTE_Z = -30;
const int GAP = 2;

}  // namespace

CEditorPalette::CButton::CButton(CEditorPalette* palette, const tarn::CRect& rect, std::size_t index)
    : tarn::ui::CButtonWidget(palette, rect, false, "EditorButton" + std::to_string(index), ""),
      myPalette(palette),
      myIndex(index) {
    clicked.Connect(this, &CButton::OnClicked);
}

void CEditorPalette::CButton::OnClicked() { myPalette->Press(myIndex); }

CEditorPalette::CEditorPalette(const std::vector<Entry>& entries, CEditorPalette** holder)
    : tarn::ui::CWindowWidget(tarn::ui::CDesktopWidget::GetSingleton(), tarn::CRect(0, 0, 640, HEIGHT), false,
                              "EditorPalette", ""),
      myEntries(entries),
      myHolder(holder) {
    SetResizable(false);
    int x = GAP;
    for (std::size_t i = 0; i < myEntries.size(); ++i) {
        myButtons.push_back(new CButton(this, tarn::CRect(x, GAP, myEntries[i].width, HEIGHT - 2 * GAP), i));
        x += myEntries[i].width + GAP;
    }
    Draw();
}

CEditorPalette::~CEditorPalette() {
    if (myHolder) *myHolder = nullptr;
}

tarn::CRect CEditorPalette::GetButtonRect(std::size_t index) const { return myButtons[index]->GetRect(); }

void CEditorPalette::Press(std::size_t index) {
    if (index < myEntries.size() && myEntries[index].action) myEntries[index].action();
}

void CEditorPalette::Highlight(std::size_t index) {
    myHighlighted = index;
    Draw();
}

void CEditorPalette::Draw() {
    mySprites.clear();
    mySprites.push_back(MakeScreenBox(tarn::CRect(0, 0, 640, HEIGHT), 30, 30, 40, PALETTE_Z + 2));
    for (std::size_t i = 0; i < myEntries.size(); ++i) {
        const Entry& entry = myEntries[i];
        const tarn::CRect rect = GetButtonRect(i);
        const bool lit = i == myHighlighted;
        mySprites.push_back(MakeScreenBox(rect, lit ? 255 : entry.red, lit ? 255 : entry.green, lit ? 255 : entry.blue,
                                          PALETTE_Z + 1));
        mySprites.push_back(MakeScreenText(tarn::CRect(rect.x + 2, rect.y + 2, rect.w - 4, rect.h - 4), entry.label,
                                           PALETTE_Z));
    }
}

}  // namespace marbles

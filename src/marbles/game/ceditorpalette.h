// The level editor's palette: a window widget across the top of the screen holding one button
// widget per tool and action (six marble types, the box, undo, redo, background, test, show
// the solution, prove, save). A click on a button calls the action given for it.
#ifndef TARN_MARBLES_GAME_CEDITORPALETTE_H
#define TARN_MARBLES_GAME_CEDITORPALETTE_H

#include <functional>
#include <string>
#include <vector>

#include "tarn/gfx/csprite.h"
#include "tarn/ui/cbuttonwidget.h"
#include "tarn/ui/cwindowwidget.h"

namespace marbles {

class CEditorPalette : public tarn::ui::CWindowWidget {
public:
    // The palette's height in pixels; the playfield starts below it.
    static constexpr int HEIGHT = 24;

    struct Entry {
        std::string label;
        int width = 0;
        // The frame's colour.
        int red = 0;
        int green = 0;
        int blue = 0;
        std::function<void()> action;
    };

    // A window widget on the desktop across the top of the 640x480 screen, with one button per
    // entry from the left. *holder is cleared when the widget tree deletes the palette first
    // (the ui task stops before the game); otherwise the holder deletes it.
    CEditorPalette(const std::vector<Entry>& entries, CEditorPalette** holder);
    ~CEditorPalette() override;

    // Draws a lighter frame around the button of index (the chosen tool).
    void Highlight(std::size_t index);
    // Where the button of index lies on the screen.
    tarn::CRect GetButtonRect(std::size_t index) const;
    std::size_t GetButtonCount() const { return myButtons.size(); }
    // Calls the action of button index, as a click does.
    void Press(std::size_t index);

private:
    // A button widget that calls its entry's action when clicked.
    class CButton : public tarn::ui::CButtonWidget {
    public:
        CButton(CEditorPalette* palette, const tarn::CRect& rect, std::size_t index);
        void OnClicked();

    private:
        CEditorPalette* myPalette;
        std::size_t myIndex;
    };

    void Draw();

    std::vector<Entry> myEntries;
    std::vector<CButton*> myButtons;
    std::vector<tarn::CSpriteHandle> mySprites;
    std::size_t myHighlighted = 0;
    CEditorPalette** myHolder;
};

}  // namespace marbles

#endif

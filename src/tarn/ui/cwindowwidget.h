// A movable, resizable, maximisable frame: a title bar, maximise and close buttons and a
// client area, all laid out with expressions against the window's rectangle.
#ifndef TARN_UI_CWINDOWWIDGET_H
#define TARN_UI_CWINDOWWIDGET_H

#include <string>

#include "tarn/ui/cwidget.h"

namespace tarn {
namespace ui {

class CButtonWidget;

// Edge bits of the border hit test.
enum { EDGE_LEFT = 1, EDGE_RIGHT = 2, EDGE_TOP = 4, EDGE_BOTTOM = 8 };

class CWindowWidget : public CWidget {
public:
    static const int kMinWidth = 100;
    static const int kMinHeight = 50;

    CWindowWidget();
    CWindowWidget(CWidget* parent, const CRect& rect, bool relative, const std::string& name,
                  const std::string& spriteFile);
    // Leaves the mouse capture list; the chrome and client area go with the children.
    ~CWindowWidget() override;
    // A press first brings the window to the front of its siblings.
    bool HandleEvent(const CWidgetEvent& event) override;
    // Border cursors and resizing.
    void OnEvent(const CWidgetEvent& event) override;

    // Edge bits at the point: 0 outside; within 3 pixels of an edge sets its bit, and then
    // every edge within 20 pixels adds its bit too.
    int BorderTest(int x, int y) const;
    // The cursor type for edge bits (6 horizontal, 7 vertical, 8 and 9 diagonal, else 0).
    static int CursorForEdges(int edges);
    // Fills the parent (or gives back the rectangle it had before).
    void ToggleMaximise();

    // Set once the close button was clicked; the owner deletes the window.
    bool IsClosed() const { return myClosed; }
    bool IsMaximised() const { return myMaximised; }
    bool IsResizable() const { return myResizable; }
    void SetResizable(bool resizable) { myResizable = resizable; }
    bool IsResizing() const { return myResizing; }
    CButtonWidget* GetTitleBar() const { return myTitleBar; }
    CButtonWidget* GetMaximiseButton() const { return myMaximiseButton; }
    CButtonWidget* GetCloseButton() const { return myCloseButton; }
    CWidget* GetClientArea() const { return myClientArea; }

private:
    void BuildChrome();
    // Moves the edges remembered at the press to the point (px, py).
    void ResizeTo(int px, int py);
    void RestoreCursor(const CWidgetEvent& event);
    void OnTitleClicked();
    void OnTitleDragged(int dx, int dy);
    void OnCloseClicked();

    CButtonWidget* myMaximiseButton;
    CButtonWidget* myCloseButton;
    CButtonWidget* myTitleBar;
    CWidget* myClientArea;
    bool myClosed;
    bool myResizable;
    bool myMaximised;
    CRect mySavedRect;
    int myEdges;
    int myResizeMask;
    bool myResizing;
    int myGrabX;
    int myGrabY;
    bool myCursorChanged;
    int myMinWidth;
    int myMinHeight;
};

}  // namespace ui
}  // namespace tarn

#endif

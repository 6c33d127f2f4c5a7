// The root of the widget tree: covers the window, lends every pointer event to the widgets
// holding a drag before routing it, and keeps its children inside the window.
#ifndef TARN_UI_CDESKTOPWIDGET_H
#define TARN_UI_CDESKTOPWIDGET_H

#include "tarn/ui/cwidget.h"

namespace tarn {
namespace ui {

class CDesktopWidget : public CWidget {
public:
    // The one desktop, created on first use (again after DeleteSingleton).
    static CDesktopWidget* GetSingleton();
    // Deletes the desktop and with it the whole widget tree; the next access makes a new one.
    static void DeleteSingleton();

    CDesktopWidget();
    ~CDesktopWidget() override;

    // Motion, press and release go to every widget in the mouse capture list first.
    bool HandleEvent(const CWidgetEvent& event) override;
    // Moves rect, never resizing it, so that it lies inside the desktop; a rectangle larger
    // than the desktop keeps its right and bottom edges on the desktop's.
    CRect ClipChildRect(const CRect& rect) const override;
};

}  // namespace ui
}  // namespace tarn

#endif

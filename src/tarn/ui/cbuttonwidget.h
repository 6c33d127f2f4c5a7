// A widget that turns presses and releases into clicked, double-clicked and dragged signals;
// it moves nothing itself.
#ifndef TARN_UI_CBUTTONWIDGET_H
#define TARN_UI_CBUTTONWIDGET_H

#include <string>

#include "tarn/ui/cwidget.h"
#include "tarn/utils/signalslot/csignal.h"
#include "tarn/utils/timer/ctimer.h"

namespace tarn {
namespace ui {

class CButtonWidget : public CWidget {
public:
    // Two presses closer than this (ms) make a double click.
    static const int kDoubleClickMs = 300;

    CButtonWidget();
    CButtonWidget(CWidget* parent, const CRect& rect, bool relative, const std::string& name,
                  const std::string& spriteFile);
    // Leaves the mouse capture list.
    ~CButtonWidget() override;
    void OnEvent(const CWidgetEvent& event) override;
    virtual void SetText(const std::string& text);
    virtual std::string GetText() const;
    virtual void SetPressMask(int mask);
    virtual int GetPressMask() const;
    virtual void SetDoubleClickEnabled(bool enabled);
    virtual bool IsDoubleClickEnabled() const;
    virtual void SetDoubleClickMask(int mask);
    virtual int GetDoubleClickMask() const;
    virtual void SetDragEnabled(bool enabled);
    virtual bool IsDragEnabled() const;
    virtual void SetDragMask(int mask);
    virtual int GetDragMask() const;

    bool IsPressed() const { return myPressed; }
    bool IsDragging() const { return myDragging; }
    // The last state reported to the sprite: "mouse_over", "mouse_out", "mouse_button_down",
    // "mouse_button_up", or empty.
    const std::string& GetState() const { return myState; }

    CSignal0 clicked;
    CSignal2<int, int> dragged;
    CSignal0 doubleClicked;

private:
    void Init();
    // Marks where a picture for the state would be shown; sprites show none in this system.
    void ReportState(const std::string& state);
    void OnPress(const CWidgetEvent& event);
    void OnRelease(const CWidgetEvent& event);

    std::string myText;
    int myPressMask;
    bool myPressed;
    bool myDoubleClickEnabled;
    int myDoubleClickMask;
    CTimer myDoubleClickTimer;
    bool myWaitingForSecondPress;
    bool myDragEnabled;
    int myDragMask;
    bool myDragging;
    int myGrabX;
    int myGrabY;
    std::string myState;
};

}  // namespace ui
}  // namespace tarn

#endif

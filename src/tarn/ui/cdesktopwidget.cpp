// The desktop widget: the process-wide root of the widget tree.
#include "tarn/ui/cdesktopwidget.h"

#include <algorithm>

#include "tarn/ui/cwidgetfactory.h"

namespace tarn {
namespace ui {

namespace {

CDesktopWidget* ourDesktop = nullptr;

// The factory hands out the one desktop; it is deleted through DeleteSingleton, not by the caller.
CWidget* CreateDesktop() { return CDesktopWidget::GetSingleton(); }

const CWidgetRegistrar ourRegistrar("CDesktopWidget", &CreateDesktop);

}  // namespace

CDesktopWidget* CDesktopWidget::GetSingleton() {
    if (!ourDesktop) ourDesktop = new CDesktopWidget();
    return ourDesktop;
}

void CDesktopWidget::DeleteSingleton() {
    delete ourDesktop;
    ourDesktop = nullptr;
}

CDesktopWidget::CDesktopWidget() { SetName("desktop"); }

CDesktopWidget::~CDesktopWidget() {
    if (ourDesktop == this) ourDesktop = nullptr;
}

bool CDesktopWidget::HandleEvent(const CWidgetEvent& event) {
    if (event.type == WIDGET_EVENT_MOTION || event.type == WIDGET_EVENT_BUTTON_DOWN ||
        event.type == WIDGET_EVENT_BUTTON_UP)
        NotifyMouseListeners(event);
    return CWidget::HandleEvent(event);
}

CRect CDesktopWidget::ClipChildRect(const CRect& rect) const {
    const CRect& own = GetRect();
    long long x = std::max<long long>(rect.x, own.x);
    long long y = std::max<long long>(rect.y, own.y);
    if (x + rect.w > own.Right()) x = own.Right() - rect.w;
    if (y + rect.h > own.Bottom()) y = own.Bottom() - rect.h;
    return CRect(static_cast<int>(x), static_cast<int>(y), rect.w, rect.h);
}

}  // namespace ui
}  // namespace tarn

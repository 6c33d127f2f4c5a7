// The widget tree: ownership, layout by numbers or expressions, re-layout on parent resize,
// depth numbering into sprite Z, and routing of pointer events with over and out notices.
#include "tarn/ui/cwidget.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "tarn/ui/cwidgetfactory.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/utils/calculator/ccalculator.h"
#include "tarn/utils/logger/clogger.h"
#include "tarn/utils/math/saturate.h"
#include "tarn/utils/string/stringutils.h"

namespace tarn {
namespace ui {

namespace {

CWidget* ourHoverWidget = nullptr;

std::vector<CWidget*>& MouseListeners() {
    static std::vector<CWidget*> listeners;
    return listeners;
}

// One calculator for every widget, made on first use.
CCalculator& SharedCalculator() {
    static CCalculator calculator;
    return calculator;
}

// The integer a plain number starts with ("+7", "-5", "12.9" gives 12); 0 for no number.
int ReadPlainNumber(const std::string& text) {
    const std::string trimmed = Trim(text);
    errno = 0;
    return ClampToInt(std::strtoll(trimmed.c_str(), nullptr, 10));
}

// The scale of one axis; 1 when the old size was 0 (nothing to scale from).
double AxisScale(int now, int before) {
    if (before == 0) return 1.0;
    return static_cast<double>(now) / before;
}

int ClampSum(long long a, long long b) { return ClampToInt(a + b); }

int ClampDifference(long long a, long long b) { return ClampSum(a, -b); }

CWidget* CreatePlainWidget() { return new CWidget(); }

const CWidgetRegistrar ourRegistrar("CWidget", &CreatePlainWidget);

}  // namespace

CWidget::CWidget()
    : myLayoutMode(LAYOUT_SCALE),
      myParent(nullptr),
      myDepth(new CDepthRecord{CSprite::kDefaultZ, CSprite::kDefaultZ}),
      myDestroying(false) {}

CWidget::CWidget(CWidget* parent, const CRect& rect, bool relative, const std::string& name,
                 const std::string& spriteFile)
    : myLayoutMode(LAYOUT_SCALE),
      myParent(nullptr),
      myName(name),
      myDepth(new CDepthRecord{CSprite::kDefaultZ, CSprite::kDefaultZ}),
      myDestroying(false) {
    mySprite = CSpriteFactory::GetSingleton()->LoadSprite(spriteFile);
    if (mySprite) {
        myDepth->depth = mySprite->GetZ();
        myDepth->lowest = myDepth->depth;
    }
    CRect placed = rect;
    if (parent) {
        if (relative) {
            placed.x = ClampSum(placed.x, parent->myRect.x);
            placed.y = ClampSum(placed.y, parent->myRect.y);
        }
        placed = parent->ClipChildRect(placed);
    }
    SetRect(placed);
    if (parent) parent->InsertChildAtFront(this);
}

CWidget::~CWidget() {
    myDestroying = true;
    if (ourHoverWidget == this) ourHoverWidget = nullptr;
    RemoveMouseListener(this);
    while (!myChildren.empty()) delete myChildren.front();
    if (myParent) myParent->DetachChild(this);
}

bool CWidget::HandleEvent(const CWidgetEvent& event) {
    if (event.type != WIDGET_EVENT_MOTION && event.type != WIDGET_EVENT_BUTTON_DOWN &&
        event.type != WIDGET_EVENT_BUTTON_UP)
        return false;
    const CWidget* skipped = nullptr;
    CWidget* target = FindTarget(event.x, event.y, skipped);
    while (target && target != this && target->IsEventIgnored(event.type)) {
        skipped = target;
        target = FindTarget(event.x, event.y, skipped);
    }
    if (!target) return false;
    if (target != this) return target->HandleEvent(event);
    if (IsEventIgnored(event.type)) return false;
    if (ourHoverWidget != this) {
        CWidget* previous = ourHoverWidget;
        if (previous && !previous->IsEventIgnored(WIDGET_EVENT_MOUSE_OUT)) {
            CWidgetEvent out = event;
            out.type = WIDGET_EVENT_MOUSE_OUT;
            previous->OnEvent(out);
        }
        if (!IsEventIgnored(WIDGET_EVENT_MOUSE_OVER)) {
            CWidgetEvent over = event;
            over.type = WIDGET_EVENT_MOUSE_OVER;
            OnEvent(over);
        }
    }
    ourHoverWidget = this;
    OnEvent(event);
    return true;
}

void CWidget::OnEvent(const CWidgetEvent&) {}

void CWidget::SetPosition(int x, int y) { MoveBy(ClampDifference(x, myRect.x), ClampDifference(y, myRect.y)); }

void CWidget::MoveBy(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    CRect moved(ClampSum(myRect.x, dx), ClampSum(myRect.y, dy), myRect.w, myRect.h);
    if (myParent) moved = myParent->ClipChildRect(moved);
    const int actualX = ClampDifference(moved.x, myRect.x);
    const int actualY = ClampDifference(moved.y, myRect.y);
    if (actualX == 0 && actualY == 0) return;
    SetRect(moved);
    for (CWidget* child : ChildList(myChildren)) child->MoveBy(actualX, actualY);
}

void CWidget::SetSize(int w, int h) {
    if (w == myRect.w && h == myRect.h) return;
    CRect sized(myRect.x, myRect.y, w, h);
    if (myParent) sized = myParent->ClipChildRect(sized);
    if (sized.w == myRect.w && sized.h == myRect.h) return;
    const CRect old = myRect;
    SetRect(sized);
    for (CWidget* child : ChildList(myChildren)) child->OnParentResized(old);
}

int CWidget::GetLayoutMode() const { return myLayoutMode; }

bool CWidget::IsEventIgnored(int type) const {
    return std::find(myIgnoredEvents.begin(), myIgnoredEvents.end(), type) != myIgnoredEvents.end();
}

void CWidget::IgnoreEvent(int type, bool ignore) {
    auto it = std::find(myIgnoredEvents.begin(), myIgnoredEvents.end(), type);
    if (ignore && it == myIgnoredEvents.end()) myIgnoredEvents.push_back(type);
    if (!ignore && it != myIgnoredEvents.end()) myIgnoredEvents.erase(it);
}

CRect CWidget::ClipChildRect(const CRect& rect) const { return rect; }

void CWidget::SetRect(const CRect& rect) {
    myRect = rect;
    UpdateSprite();
}

void CWidget::UpdateSprite() {
    if (!mySprite) return;
    mySprite->SetPosition(myRect.x, myRect.y);
    mySprite->Resize(myRect.w, myRect.h);
}

void CWidget::UpdateSpriteDepth() {
    if (mySprite) mySprite->SetZ(myDepth->depth);
}

void CWidget::OnParentResized(const CRect& oldParentRect) {
    if (!myParent) return;
    const CRect parentRect = myParent->myRect;
    if (myLayout) {
        const CRect wanted = EvaluateLayout();
        MoveBy(ClampDifference(wanted.x, myRect.x), ClampDifference(wanted.y, myRect.y));
        SetSize(wanted.w, wanted.h);
        return;
    }
    const double sx = AxisScale(parentRect.w, oldParentRect.w);
    const double sy = AxisScale(parentRect.h, oldParentRect.h);
    const int mode = GetLayoutMode();
    if (mode == LAYOUT_SCALE) {
        const CRect relative = GetRelativeRect();
        const int w = TruncateToInt(myRect.w * sx);
        const int h = TruncateToInt(myRect.h * sy);
        const int relX = TruncateToInt(relative.x * sx);
        const int relY = TruncateToInt(relative.y * sy);
        MoveBy(ClampDifference(relX, relative.x), ClampDifference(relY, relative.y));
        SetSize(w, h);
    } else if (mode == LAYOUT_KEEP_CENTRE_SCALED) {
        const double cx = myRect.x + myRect.w / 2;
        const double cy = myRect.y + myRect.h / 2;
        MoveBy(TruncateToInt(cx * sx - cx), TruncateToInt(cy * sy - cy));
    } else if (mode == LAYOUT_KEEP) {
        const CRect clipped = myParent->ClipChildRect(myRect);
        MoveBy(ClampDifference(clipped.x, myRect.x), ClampDifference(clipped.y, myRect.y));
        SetSize(clipped.w, clipped.h);
    }
}

CRect CWidget::GetRelativeRect() const {
    if (!myParent) return myRect;
    return CRect(ClampDifference(myRect.x, myParent->myRect.x), ClampDifference(myRect.y, myParent->myRect.y),
                 myRect.w, myRect.h);
}

bool CWidget::IsSelfOrAncestorOf(const CWidget* widget) const {
    for (const CWidget* w = widget; w; w = w->myParent) {
        if (w == this) return true;
    }
    return false;
}

void CWidget::SetParent(CWidget* parent) {
    if (parent && IsSelfOrAncestorOf(parent)) {
        CLogger::GetSingleton()->Error() << "Widget \"" << myName
                                         << "\" cannot become a child of itself or of its own descendant\n";
        return;
    }
    if (myParent) myParent->DetachChild(this);
    if (!parent) return;
    SetRect(parent->ClipChildRect(myRect));
    parent->InsertChildAtFront(this);
}

void CWidget::AddChild(CWidget* child) {
    if (child) child->SetParent(this);
}

void CWidget::RemoveChild(CWidget* child) {
    if (!child || child->myParent != this) return;
    DetachChild(child);
}

void CWidget::DetachChild(CWidget* child) {
    auto it = std::find(myChildren.begin(), myChildren.end(), child);
    if (it == myChildren.end()) return;
    myChildren.erase(it);
    child->myParent = nullptr;
    if (!myDestroying) RenumberDepths();
}

void CWidget::InsertChildAtFront(CWidget* child) {
    child->myParent = this;
    myChildren.push_front(child);
    RenumberDepths();
}

CWidget* CWidget::FindByName(const std::string& name) {
    if (myName == name) return this;
    for (CWidget* child : myChildren) {
        CWidget* found = child->FindByName(name);
        if (found) return found;
    }
    return nullptr;
}

CWidget* CWidget::FindDeepestAt(int x, int y) {
    if (!myRect.Contains(x, y)) return nullptr;
    for (CWidget* child : myChildren) {
        if (child->myRect.Contains(x, y)) return child->FindDeepestAt(x, y);
    }
    return this;
}

CWidget* CWidget::FindTarget(int x, int y, const CWidget* skipped) const {
    CWidget* self = const_cast<CWidget*>(this);
    if (!myRect.Contains(x, y)) return nullptr;
    auto it = myChildren.begin();
    if (skipped) {
        it = std::find(myChildren.begin(), myChildren.end(), skipped);
        if (it != myChildren.end()) ++it;
    }
    for (; it != myChildren.end(); ++it) {
        if ((*it)->myRect.Contains(x, y)) return *it;
    }
    return self;
}

bool CWidget::IsLayoutExpression(const std::string& text) {
    std::string trimmed = Trim(text);
    if (trimmed.size() > 1 && (trimmed[0] == '+' || trimmed[0] == '-')) trimmed.erase(0, 1);
    if (trimmed.empty()) return false;
    return trimmed.find_first_not_of("1234567890.") != std::string::npos;
}

int CWidget::EvaluateLayoutExpression(const std::string& text, const CWidget* widget) {
    std::string expression = text;
    const CWidget* parent = widget ? widget->myParent : nullptr;
    if (parent) {
        expression = Replace("parent.x", std::to_string(parent->myRect.x), expression);
        expression = Replace("parent.y", std::to_string(parent->myRect.y), expression);
        expression = Replace("parent.w", std::to_string(parent->myRect.w), expression);
        expression = Replace("parent.h", std::to_string(parent->myRect.h), expression);
    }
    if (widget) {
        expression = Replace("this.x", std::to_string(widget->myRect.x), expression);
        expression = Replace("this.y", std::to_string(widget->myRect.y), expression);
        expression = Replace("this.w", std::to_string(widget->myRect.w), expression);
        expression = Replace("this.h", std::to_string(widget->myRect.h), expression);
    }
    if (Trim(expression).empty()) return 0;
    return TruncateToInt(SharedCalculator().Calculate(expression));
}

CRect CWidget::EvaluateLayout() const {
    return CRect(EvaluateLayoutExpression(myLayout->x, this), EvaluateLayoutExpression(myLayout->y, this),
                 EvaluateLayoutExpression(myLayout->w, this), EvaluateLayoutExpression(myLayout->h, this));
}

void CWidget::SetLayout(const std::string& x, const std::string& y, const std::string& w, const std::string& h) {
    if (IsLayoutExpression(x) || IsLayoutExpression(y) || IsLayoutExpression(w) || IsLayoutExpression(h)) {
        myLayout.reset(new CLayoutExpressions{x, y, w, h});
        SetRect(EvaluateLayout());
        return;
    }
    myLayout.reset();
    SetRect(CRect(ReadPlainNumber(x), ReadPlainNumber(y), ReadPlainNumber(w), ReadPlainNumber(h)));
}

void CWidget::BringToFront(CWidget* child) {
    auto it = std::find(myChildren.begin(), myChildren.end(), child);
    if (it == myChildren.end()) return;
    myChildren.splice(myChildren.begin(), myChildren, it);
    RenumberDepths();
}

void CWidget::RenumberDepths() {
    int next = myDepth->depth - 1;
    int lowest = myDepth->depth;
    for (auto it = myChildren.rbegin(); it != myChildren.rend(); ++it) {
        CWidget* child = *it;
        child->ShiftDepth(next - child->myDepth->depth);
        lowest = child->myDepth->lowest;
        next = lowest - 1;
    }
    if (lowest == myDepth->lowest) return;
    myDepth->lowest = lowest;
    if (myParent) myParent->RenumberDepths();
}

void CWidget::ShiftDepth(int delta) {
    if (delta == 0) return;
    myDepth->depth += delta;
    myDepth->lowest += delta;
    UpdateSpriteDepth();
    for (CWidget* child : myChildren) child->ShiftDepth(delta);
}

void CWidget::AddMouseListener(CWidget* widget) {
    if (!widget || IsMouseListener(widget)) return;
    MouseListeners().push_back(widget);
}

void CWidget::RemoveMouseListener(CWidget* widget) {
    auto& listeners = MouseListeners();
    listeners.erase(std::remove(listeners.begin(), listeners.end(), widget), listeners.end());
}

bool CWidget::IsMouseListener(const CWidget* widget) {
    const auto& listeners = MouseListeners();
    return std::find(listeners.begin(), listeners.end(), widget) != listeners.end();
}

void CWidget::NotifyMouseListeners(const CWidgetEvent& event) {
    const std::vector<CWidget*> snapshot = MouseListeners();
    for (CWidget* widget : snapshot) {
        if (MouseListeners().empty()) return;
        if (IsMouseListener(widget)) widget->OnEvent(event);
    }
}

CWidget* CWidget::GetHoverWidget() { return ourHoverWidget; }

}  // namespace ui
}  // namespace tarn

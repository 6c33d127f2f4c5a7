// The base of every user-interface widget: a rectangle in a tree of owned children, placed by
// numbers or layout expressions, showing an optional sprite and routing pointer events.
#ifndef TARN_UI_CWIDGET_H
#define TARN_UI_CWIDGET_H

#include <list>
#include <memory>
#include <string>
#include <vector>

#include "tarn/ui/cwidgetevent.h"
#include "tarn/gfx/crect.h"
#include "tarn/gfx/csprite.h"
#include "tarn/utils/signalslot/cssobject.h"

namespace tarn {
namespace ui {

// How a widget without layout expressions follows a resize of its parent.
enum { LAYOUT_KEEP = 0, LAYOUT_SCALE = 1, LAYOUT_KEEP_CENTRE_SCALED = 2 };

// A widget owns its children (deleting it deletes them) and leaves its parent's list when it
// is deleted. All rectangles are in window coordinates. Depths are sprite Z values: every
// descendant lies in front of (below) its parent, and the front child of the list is nearest.
class CWidget : public CSSObject {
public:
    using ChildList = std::list<CWidget*>;

    // No parent, empty rectangle, layout mode scale, no sprite.
    CWidget();
    // With a parent: rect (moved by the parent's x, y when relative) passes the parent's
    // ClipChildRect and the widget becomes the parent's front child. The sprite is loaded from
    // spriteFile (an empty name gives an invisible sprite) and joins the screen layer.
    CWidget(CWidget* parent, const CRect& rect, bool relative, const std::string& name,
            const std::string& spriteFile);
    CWidget(const CWidget&) = delete;
    CWidget& operator=(const CWidget&) = delete;

    // Clears the hover widget and the capture entry when they are this widget, deletes the
    // children and leaves the parent's list.
    ~CWidget() override;
    // Routes motion and button events (types 1, 4, 5) to the deepest widget under the
    // pointer that takes them. False when no widget took the event.
    virtual bool HandleEvent(const CWidgetEvent& event);
    // The widget's own reaction to an event; nothing here.
    virtual void OnEvent(const CWidgetEvent& event);
    virtual void SetPosition(int x, int y);
    // Moves the widget, as far as the parent's ClipChildRect lets it, and its descendants by
    // the same amount.
    virtual void MoveBy(int dx, int dy);
    // Resizes the widget, as the parent's ClipChildRect lets it; the children re-lay out.
    virtual void SetSize(int w, int h);
    virtual int GetLayoutMode() const;
    virtual bool IsEventIgnored(int type) const;
    // true adds the type to the ignored list (once); false removes it.
    virtual void IgnoreEvent(int type, bool ignore);
    // The rectangle a child may occupy when it asks for rect; here rect itself.
    virtual CRect ClipChildRect(const CRect& rect) const;
    // Stores the rectangle as it is (no clipping, children stay) and updates the sprite.
    virtual void SetRect(const CRect& rect);
    virtual void UpdateSprite();
    virtual void UpdateSpriteDepth();
    // Re-lays out after the parent changed from oldParentRect to its present rectangle.
    virtual void OnParentResized(const CRect& oldParentRect);

    // The slot target name (CSSObject) is the widget's name.
    std::string GetName() const override { return myName; }

    const CRect& GetRect() const { return myRect; }
    // The rectangle relative to the parent's position; the rectangle itself without a parent.
    CRect GetRelativeRect() const;
    CWidget* GetParent() const { return myParent; }
    // Leaves the old parent's list and becomes the front child of parent (clipped by it).
    // Null only detaches (the caller then owns the widget). Refused, with a logged error, when
    // parent is this widget or one of its descendants.
    void SetParent(CWidget* parent);
    // child->SetParent(this). Ignores null.
    void AddChild(CWidget* child);
    // Takes child out of the list; it has no parent afterwards and the caller owns it.
    // Nothing when child is not a child of this widget.
    void RemoveChild(CWidget* child);
    const ChildList& GetChildren() const { return myChildren; }
    void SetName(const std::string& name) { myName = name; }
    void SetLayoutMode(int mode) { myLayoutMode = mode; }
    // Depth first, this widget first, children in list order; null when absent.
    CWidget* FindByName(const std::string& name);
    // The deepest widget containing the point along the first containing child at each
    // level; null when the point is outside this widget.
    CWidget* FindDeepestAt(int x, int y);
    // Four numbers or layout expressions (see IsLayoutExpression); expressions are kept and
    // evaluated again whenever the parent is resized.
    void SetLayout(const std::string& x, const std::string& y, const std::string& w, const std::string& h);
    bool HasLayoutExpressions() const { return myLayout != nullptr; }
    // Makes child the front child (nearest, hit first). Nothing for a widget that is not a child.
    void BringToFront(CWidget* child);
    CSpriteHandle GetSprite() const { return mySprite; }
    int GetDepth() const { return myDepth->depth; }
    // The nearest depth used by this widget and its descendants.
    int GetLowestDepth() const { return myDepth->lowest; }

    // True when text, trimmed and without one leading sign, is more than a plain number.
    static bool IsLayoutExpression(const std::string& text);
    // The value of one layout expression for widget (names replaced by numbers, evaluated by
    // the shared calculator, truncated toward zero and held within the int range).
    static int EvaluateLayoutExpression(const std::string& text, const CWidget* widget);

    // The mouse capture list: these widgets see every motion and button event first.
    static void AddMouseListener(CWidget* widget);
    static void RemoveMouseListener(CWidget* widget);
    static bool IsMouseListener(const CWidget* widget);
    // Calls OnEvent (event) on every listed widget, in list order; a widget that leaves the
    // list (or is deleted) during the walk is not called.
    static void NotifyMouseListeners(const CWidgetEvent& event);
    // The widget that last received a routed event; null after it was deleted.
    static CWidget* GetHoverWidget();

private:
    struct CLayoutExpressions {
        std::string x, y, w, h;
    };
    struct CDepthRecord {
        int depth;
        int lowest;
    };

    // The target of HandleEvent's step: the first child after skipped containing the point,
    // this widget when none does, null when the point is outside.
    CWidget* FindTarget(int x, int y, const CWidget* skipped) const;
    CRect EvaluateLayout() const;
    // Takes child out of the list, renumbering unless this widget is being deleted.
    void DetachChild(CWidget* child);
    void InsertChildAtFront(CWidget* child);
    bool IsSelfOrAncestorOf(const CWidget* widget) const;
    // Gives the children their depths behind one another in front of this widget; when the
    // subtree's range changed the parent renumbers too.
    void RenumberDepths();
    // Moves the depths of this widget and its whole subtree by delta.
    void ShiftDepth(int delta);

    int myLayoutMode;
    CRect myRect;
    CWidget* myParent;
    ChildList myChildren;
    std::string myName;
    std::vector<int> myIgnoredEvents;
    CSpriteHandle mySprite;
    std::unique_ptr<CLayoutExpressions> myLayout;
    std::unique_ptr<CDepthRecord> myDepth;
    bool myDestroying;
};

}  // namespace ui
}  // namespace tarn

#endif

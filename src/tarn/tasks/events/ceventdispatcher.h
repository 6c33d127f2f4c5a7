// The process-wide event listener lists: window size, application activity, keys and mouse,
// plus the cursor control lent by the running event task. Nothing here calls SDL.
#ifndef TARN_TASKS_EVENTS_CEVENTDISPATCHER_H
#define TARN_TASKS_EVENTS_CEVENTDISPATCHER_H

#include <list>
#include <map>
#include <memory>
#include <set>
#include <utility>

#include "tarn/tasks/events/iactivitylistener.h"
#include "tarn/tasks/events/icursorcontrol.h"
#include "tarn/tasks/events/ikeylistener.h"
#include "tarn/tasks/events/imouselistener.h"
#include "tarn/tasks/events/iresizelistener.h"

namespace tarn {

// Listeners may add or remove listeners (themselves included) from inside a notification:
// every notification walks a copy of its list and skips the entries removed meanwhile, so a
// listener removed during a notification is not called afterwards.
class CEventDispatcher {
public:
    // Created on first call, never deleted.
    static CEventDispatcher* GetSingleton();

    CEventDispatcher();
    CEventDispatcher(const CEventDispatcher&) = delete;
    CEventDispatcher& operator=(const CEventDispatcher&) = delete;

    // Any object with OnResize(int, int) can listen; the dispatcher keeps a small forwarder
    // and identifies the listener by its address. A second registration of the same listener
    // is ignored. The listener must be removed before it is destroyed.
    template <typename T>
    void AddResizeListener(T* listener) {
        if (listener) AddResizeForwarder(listener, std::make_unique<CResizeForwarder<T>>(listener));
    }
    void RemoveResizeListener(const void* listener);
    bool HasResizeListener(const void* listener) const;
    // Calls OnResize on every resize listener in registration order and remembers the size.
    void NotifyResize(int width, int height);
    // The last size notified (0 by 0 before the first).
    int GetWidth() const { return myLastWidth; }
    int GetHeight() const { return myLastHeight; }

    // Any object with OnResize(int, int) and OnActivate(bool); it is also registered as a
    // resize listener. Activity listeners are called in the order of their addresses.
    template <typename T>
    void AddActivityListener(T* listener) {
        if (!listener || myActivityListeners.count(listener)) return;
        myActivityListeners[listener] = std::make_unique<CActivityForwarder<T>>(listener);
        AddResizeListener(listener);
    }
    void RemoveActivityListener(const void* listener);
    bool HasActivityListener(const void* listener) const { return myActivityListeners.count(listener) != 0; }
    void NotifyActivity(bool active);

    void AddKeyListener(IKeyListener* listener);
    void RemoveKeyListener(IKeyListener* listener);
    void NotifyKeyDown(int key);
    void NotifyKeyUp(int key);

    void AddMouseListener(IMouseListener* listener);
    void RemoveMouseListener(IMouseListener* listener);
    void NotifyMouseMove(int x, int y);
    void NotifyMouseDown(int button);
    void NotifyMouseUp(int button);

    // The control is not owned; the event task sets it while it runs.
    void SetCursorControl(ICursorControl* control) { myCursorControl = control; }
    void ClearCursorControl() { myCursorControl = nullptr; }
    ICursorControl* GetCursorControl() const { return myCursorControl; }
    // Forwarded to the cursor control; nothing happens without one.
    void ShowCursor();
    void HideCursor();
    void ChangeCursor(int type);

private:
    template <typename T>
    class CResizeForwarder : public IResizeListener {
    public:
        explicit CResizeForwarder(T* target) : myTarget(target) {}
        void OnResize(int width, int height) override { myTarget->OnResize(width, height); }

    private:
        T* myTarget;
    };

    template <typename T>
    class CActivityForwarder : public IActivityListener {
    public:
        explicit CActivityForwarder(T* target) : myTarget(target) {}
        void OnResize(int width, int height) override { myTarget->OnResize(width, height); }
        void OnActivate(bool active) override { myTarget->OnActivate(active); }

    private:
        T* myTarget;
    };

    using ResizeEntry = std::pair<const void*, std::unique_ptr<IResizeListener>>;

    void AddResizeForwarder(const void* listener, std::unique_ptr<IResizeListener> forwarder);
    IResizeListener* FindResizeForwarder(const void* listener) const;

    std::list<ResizeEntry> myResizeListeners;
    int myLastWidth;
    int myLastHeight;
    std::map<const void*, std::unique_ptr<IActivityListener>> myActivityListeners;
    std::set<IKeyListener*> myKeyListeners;
    std::set<IMouseListener*> myMouseListeners;
    ICursorControl* myCursorControl;
};

}  // namespace tarn

#endif

// The process-wide event listener lists: window size, application activity, keys and mouse,
// plus the cursor control lent by the running event task. Nothing here calls SDL.
#include "tarn/tasks/events/ceventdispatcher.h"

#include <vector>

namespace tarn {

namespace {

// Calls call(listener) on every listener of a set that is still registered when its turn comes.
template <typename T, typename Call>
void NotifyEach(const std::set<T*>& listeners, Call call) {
    const std::vector<T*> snapshot(listeners.begin(), listeners.end());
    for (T* listener : snapshot) {
        if (listeners.count(listener)) call(listener);
    }
}

}  // namespace

CEventDispatcher* CEventDispatcher::GetSingleton() {
    static CEventDispatcher* dispatcher = new CEventDispatcher();
    return dispatcher;
}

CEventDispatcher::CEventDispatcher() : myLastWidth(0), myLastHeight(0), myCursorControl(nullptr) {}

void CEventDispatcher::AddResizeForwarder(const void* listener, std::unique_ptr<IResizeListener> forwarder) {
    if (HasResizeListener(listener)) return;
    myResizeListeners.emplace_back(listener, std::move(forwarder));
}

IResizeListener* CEventDispatcher::FindResizeForwarder(const void* listener) const {
    for (const ResizeEntry& entry : myResizeListeners) {
        if (entry.first == listener) return entry.second.get();
    }
    return nullptr;
}

bool CEventDispatcher::HasResizeListener(const void* listener) const {
    return FindResizeForwarder(listener) != nullptr;
}

void CEventDispatcher::RemoveResizeListener(const void* listener) {
    myResizeListeners.remove_if([listener](const ResizeEntry& entry) { return entry.first == listener; });
}

void CEventDispatcher::NotifyResize(int width, int height) {
    myLastWidth = width;
    myLastHeight = height;
    std::vector<const void*> snapshot;
    for (const ResizeEntry& entry : myResizeListeners) snapshot.push_back(entry.first);
    for (const void* listener : snapshot) {
        // Looked up again each time: an earlier listener may have removed this one.
        if (IResizeListener* forwarder = FindResizeForwarder(listener)) forwarder->OnResize(width, height);
    }
}

void CEventDispatcher::RemoveActivityListener(const void* listener) {
    myActivityListeners.erase(listener);
    RemoveResizeListener(listener);
}

void CEventDispatcher::NotifyActivity(bool active) {
    std::vector<const void*> snapshot;
    for (const auto& entry : myActivityListeners) snapshot.push_back(entry.first);
    for (const void* listener : snapshot) {
        const auto found = myActivityListeners.find(listener);
        if (found != myActivityListeners.end()) found->second->OnActivate(active);
    }
}

void CEventDispatcher::AddKeyListener(IKeyListener* listener) {
    if (listener) myKeyListeners.insert(listener);
}

void CEventDispatcher::RemoveKeyListener(IKeyListener* listener) { myKeyListeners.erase(listener); }

void CEventDispatcher::NotifyKeyDown(int key) {
    NotifyEach(myKeyListeners, [key](IKeyListener* listener) { listener->OnKeyDown(key); });
}

void CEventDispatcher::NotifyKeyUp(int key) {
    NotifyEach(myKeyListeners, [key](IKeyListener* listener) { listener->OnKeyUp(key); });
}

void CEventDispatcher::AddMouseListener(IMouseListener* listener) {
    if (listener) myMouseListeners.insert(listener);
}

void CEventDispatcher::RemoveMouseListener(IMouseListener* listener) { myMouseListeners.erase(listener); }

void CEventDispatcher::NotifyMouseMove(int x, int y) {
    NotifyEach(myMouseListeners, [x, y](IMouseListener* listener) { listener->OnMouseMove(x, y); });
}

void CEventDispatcher::NotifyMouseDown(int button) {
    NotifyEach(myMouseListeners, [button](IMouseListener* listener) { listener->OnMouseDown(button); });
}

void CEventDispatcher::NotifyMouseUp(int button) {
    NotifyEach(myMouseListeners, [button](IMouseListener* listener) { listener->OnMouseUp(button); });
}

void CEventDispatcher::ShowCursor() {
    if (myCursorControl) myCursorControl->ShowCursor();
}

void CEventDispatcher::HideCursor() {
    if (myCursorControl) myCursorControl->HideCursor();
}

void CEventDispatcher::ChangeCursor(int type) {
    if (myCursorControl) myCursorControl->ChangeCursor(type);
}

}  // namespace tarn

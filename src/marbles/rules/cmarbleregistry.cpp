// The program-wide list of live marbles, in order of first registration.
#include "marbles/rules/cmarbleregistry.h"

#include <algorithm>

#include "marbles/rules/imarbleregistrylistener.h"

namespace marbles {

CMarbleRegistry* CMarbleRegistry::GetSingleton() {
    static CMarbleRegistry* registry = new CMarbleRegistry();
    return registry;
}

void CMarbleRegistry::Add(CMarble* marble) {
    if (!marble || Contains(marble)) return;
    myMarbles.push_back(marble);
}

void CMarbleRegistry::Remove(CMarble* marble) {
    const auto found = std::find(myMarbles.begin(), myMarbles.end(), marble);
    if (found == myMarbles.end()) return;
    myMarbles.erase(found);
    // A listener may leave while being told; walk a copy.
    const std::vector<IMarbleRegistryListener*> listeners = myListeners;
    for (IMarbleRegistryListener* listener : listeners) {
        if (std::find(myListeners.begin(), myListeners.end(), listener) != myListeners.end())
            listener->OnMarbleRemoved(marble);
    }
}

bool CMarbleRegistry::Contains(const CMarble* marble) const {
    return std::find(myMarbles.begin(), myMarbles.end(), marble) != myMarbles.end();
}

void CMarbleRegistry::AddListener(IMarbleRegistryListener* listener) {
    if (!listener) return;
    if (std::find(myListeners.begin(), myListeners.end(), listener) != myListeners.end()) return;
    myListeners.push_back(listener);
}

void CMarbleRegistry::RemoveListener(IMarbleRegistryListener* listener) {
    myListeners.erase(std::remove(myListeners.begin(), myListeners.end(), listener), myListeners.end());
}

}  // namespace marbles

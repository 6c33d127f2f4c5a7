// The program-wide list of live marbles, in order of first registration: the only notion of the
// marbles of a level that the rules have.
#ifndef TARN_MARBLES_RULES_CMARBLEREGISTRY_H
#define TARN_MARBLES_RULES_CMARBLEREGISTRY_H

#include <vector>

namespace marbles {

class CMarble;
class IMarbleRegistryListener;

class CMarbleRegistry {
public:
    // Created on first use; lives until the process ends.
    static CMarbleRegistry* GetSingleton();

    // Appends marble (not owned); a marble already listed or null is ignored.
    void Add(CMarble* marble);
    // Removes marble, keeping the order of the others, and tells the listeners. Unknown
    // marbles are ignored.
    void Remove(CMarble* marble);
    bool Contains(const CMarble* marble) const;

    unsigned GetCount() const { return static_cast<unsigned>(myMarbles.size()); }
    bool IsEmpty() const { return myMarbles.empty(); }
    // Precondition: index < GetCount().
    CMarble* Get(unsigned index) const { return myMarbles[index]; }
    std::vector<CMarble*>::const_iterator begin() const { return myMarbles.begin(); }
    std::vector<CMarble*>::const_iterator end() const { return myMarbles.end(); }

    // Not owned; must leave before it is destroyed.
    void AddListener(IMarbleRegistryListener* listener);
    void RemoveListener(IMarbleRegistryListener* listener);

private:
    CMarbleRegistry() = default;

    std::vector<CMarble*> myMarbles;
    std::vector<IMarbleRegistryListener*> myListeners;
};

}  // namespace marbles

#endif

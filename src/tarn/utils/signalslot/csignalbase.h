// What every signal shares, whatever its arguments: the ordered, owned connections, their
// removal when a target dies (also in the middle of an emission) and their XML stored form.
#ifndef TARN_UTILS_SIGNALSLOT_CSIGNALBASE_H
#define TARN_UTILS_SIGNALSLOT_CSIGNALBASE_H

#include <memory>
#include <vector>

namespace tarn {

class CSlot;
class CXmlFileSys;
class IGenericEvent;

class CSignalBase {
public:
    CSignalBase();
    // Deletes every connection; their targets forget them.
    virtual ~CSignalBase();
    CSignalBase(const CSignalBase&) = delete;
    CSignalBase& operator=(const CSignalBase&) = delete;

    // Appends slot and takes ownership of it. Null is ignored. A slot whose event does not
    // take this signal's arguments is deleted; a slot already held by a signal is left alone.
    // Returns whether the slot was connected.
    bool Connect(CSlot* slot);
    // Deletes every connection.
    void DisconnectAll();
    // Takes slot out of this signal and deletes it (after the emission in progress, if any).
    void Remove(CSlot* slot);

    int GetSlotCount() const;
    // The i-th living connection, or null.
    CSlot* GetSlot(int i) const;

    // Writing: one "Slot" element with "target" and "function" per stored connection that
    // has names. Reading: connects every "Slot" child whose target and function resolve.
    void Serialize(CXmlFileSys* filesys);

protected:
    // Whether event can be called with this signal's arguments.
    virtual bool Accepts(const IGenericEvent& event) const = 0;

    // Shared by the signal and its running emissions, so that an emission can tell that the
    // signal died inside a slot. Connections removed meanwhile are deleted by the last
    // emission to end, never under a running call.
    struct CState {
        bool myAlive = true;
        int myDepth = 0;
        std::vector<CSlot*> myRemoved;
    };

    // One emission: the connections present at its start are called in order; those added
    // meanwhile wait for the next emission, those removed meanwhile read as null.
    class CEmission {
    public:
        explicit CEmission(CSignalBase& signal);
        ~CEmission();
        CEmission(const CEmission&) = delete;
        CEmission& operator=(const CEmission&) = delete;
        std::size_t GetCount() const { return myCount; }
        bool IsAlive() const { return myState->myAlive; }
        // The i-th connection, or null when it was removed or the signal died.
        CSlot* GetSlot(std::size_t i) const;

    private:
        CSignalBase& mySignal;
        std::shared_ptr<CState> myState;
        std::size_t myCount;
    };

private:
    // Takes slot out of the list: deleted now, or by the last running emission.
    void Discard(CSlot* slot);

    std::vector<CSlot*> mySlots;
    std::shared_ptr<CState> myState;
};

}  // namespace tarn

#endif

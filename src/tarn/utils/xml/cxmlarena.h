// Memory for a tree read from a document: nodes, their child and attribute arrays and the
// attribute texts are carved from a few large blocks, and the whole tree's memory is freed at once.
#ifndef TARN_UTILS_XML_CXMLARENA_H
#define TARN_UTILS_XML_CXMLARENA_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string_view>
#include <utility>
#include <vector>

namespace tarn {

class CXmlNode;

class CXmlArena {
public:
    CXmlArena() = default;
    CXmlArena(const CXmlArena&) = delete;
    CXmlArena& operator=(const CXmlArena&) = delete;

    // size bytes aligned to align (a power of two, at most alignof(std::max_align_t)). Never
    // null; the memory lives until the arena is destroyed and is never freed on its own.
    void* Allocate(std::size_t size, std::size_t align) {
        std::size_t offset = (myUsed + align - 1) & ~(align - 1);
        if (offset + size > myCapacity) {
            NewBlock(size + align);
            offset = (myUsed + align - 1) & ~(align - 1);
        }
        myUsed = offset + size;
        return myBlock + offset;
    }

    // A copy of text kept in the arena.
    std::string_view CopyText(std::string_view text);
    // Keeps memory made elsewhere (the text of the document a tree was read from) until
    // the arena goes.
    void Adopt(std::unique_ptr<char[]> memory) { myBlocks.push_back(std::move(memory)); }

    // Nodes living here that own memory of their own and must be destroyed before the arena
    // goes; the others are given up with their memory.
    void KeepForDestruction(CXmlNode* node) { myToDestroy.push_back(node); }
    const std::vector<CXmlNode*>& GetNodesToDestroy() const { return myToDestroy; }

private:
    void NewBlock(std::size_t atLeast);

    std::vector<std::unique_ptr<char[]>> myBlocks;
    char* myBlock = nullptr;
    std::size_t myUsed = 0;
    std::size_t myCapacity = 0;
    std::vector<CXmlNode*> myToDestroy;
};

// A standard allocator that takes its memory from an arena, or from the heap when it has none.
// Memory from an arena is given back only with the arena.
template <typename T>
class CXmlArenaAllocator {
public:
    using value_type = T;
    using propagate_on_container_move_assignment = std::true_type;
    using propagate_on_container_swap = std::true_type;

    explicit CXmlArenaAllocator(CXmlArena* arena = nullptr) : myArena(arena) {}
    template <typename U>
    CXmlArenaAllocator(const CXmlArenaAllocator<U>& other) : myArena(other.GetArena()) {}

    T* allocate(std::size_t count) {
        if (myArena) return static_cast<T*>(myArena->Allocate(count * sizeof(T), alignof(T)));
        return static_cast<T*>(::operator new(count * sizeof(T)));
    }
    void deallocate(T* pointer, std::size_t) {
        if (!myArena) ::operator delete(pointer);
    }

    CXmlArena* GetArena() const { return myArena; }
    template <typename U>
    bool operator==(const CXmlArenaAllocator<U>& other) const { return myArena == other.GetArena(); }
    template <typename U>
    bool operator!=(const CXmlArenaAllocator<U>& other) const { return myArena != other.GetArena(); }

private:
    CXmlArena* myArena;
};

// A growable array in 16 bytes for the nodes of a tree: its memory comes from the arena given
// to the call that grows it, or from the heap when that is null. The array destroys its
// elements and gives heap memory back; arena memory goes with the arena. Holds fewer than
// 2^31 elements.
template <typename T>
class CXmlArray {
public:
    CXmlArray() : myCapacity(0), myOnHeap(0) {}
    ~CXmlArray() { Clear(); }
    CXmlArray(const CXmlArray&) = delete;
    CXmlArray& operator=(const CXmlArray&) = delete;

    std::size_t size() const { return mySize; }
    bool empty() const { return mySize == 0; }
    T* begin() { return myData; }
    T* end() { return myData + mySize; }
    const T* begin() const { return myData; }
    const T* end() const { return myData + mySize; }
    T& operator[](std::size_t i) { return myData[i]; }
    const T& operator[](std::size_t i) const { return myData[i]; }
    T& back() { return myData[mySize - 1]; }

    // Makes room for count elements in all.
    void Reserve(CXmlArena* arena, std::size_t count) {
        if (count <= myCapacity) return;
        void* memory = arena ? arena->Allocate(count * sizeof(T), alignof(T)) : ::operator new(count * sizeof(T));
        T* data = static_cast<T*>(memory);
        for (std::uint32_t i = 0; i < mySize; ++i) {
            new (data + i) T(std::move(myData[i]));
            myData[i].~T();
        }
        FreeMemory();
        myData = data;
        myCapacity = static_cast<std::uint32_t>(count);
        myOnHeap = arena ? 0 : 1;
    }
    // A new value-initialised last element.
    T& EmplaceBack(CXmlArena* arena) {
        if (mySize == myCapacity) Reserve(arena, myCapacity ? std::size_t(myCapacity) * 2 : 4);
        T* item = new (myData + mySize) T();
        ++mySize;
        return *item;
    }
    void PopBack() { myData[--mySize].~T(); }
    // Destroys every element and gives heap memory back.
    void Clear() {
        for (std::uint32_t i = 0; i < mySize; ++i) myData[i].~T();
        mySize = 0;
        FreeMemory();
        myData = nullptr;
        myCapacity = 0;
    }

private:
    void FreeMemory() {
        if (myOnHeap && myData) ::operator delete(myData);
    }

    T* myData = nullptr;
    std::uint32_t mySize = 0;
    std::uint32_t myCapacity : 31;
    std::uint32_t myOnHeap : 1;
};

}  // namespace tarn

#endif

// Memory for a tree read from a document: nodes, their child and attribute arrays and the
// attribute texts are carved from a few large blocks, and the whole tree's memory is freed at once.
#ifndef TARN_UTILS_XML_CXMLARENA_H
#define TARN_UTILS_XML_CXMLARENA_H

#include <cstddef>
#include <memory>
#include <new>
#include <string_view>
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

}  // namespace tarn

#endif

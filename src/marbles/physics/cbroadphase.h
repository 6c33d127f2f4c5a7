// The broad phase of the physics step: a uniform grid over the bodies' bounding boxes that
// tells, for one body, which later bodies might touch it, in ascending index order.
#ifndef TARN_MARBLES_PHYSICS_CBROADPHASE_H
#define TARN_MARBLES_PHYSICS_CBROADPHASE_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "marbles/physics/rigidbody.h"
#include "marbles/physics/vector2.h"

namespace marbles {

// Bounds are widened by a margin far larger than the rounding of the contact tests, so a pair
// whose bounds do not touch can never produce a contact: feeding the contact tests only the
// candidates, in ascending order, finds exactly the contacts of testing every pair.
class CBroadPhase {
public:
    // Cell entries and neighbour examinations one build may spend before Query refuses (the
    // world then tests the rest pair by pair).
    static constexpr std::size_t WORK_BUDGET = 4000000;

    CBroadPhase() = default;
    CBroadPhase(const CBroadPhase&) = delete;
    CBroadPhase& operator=(const CBroadPhase&) = delete;

    // Makes room for bodyCount bodies. The only operation that allocates.
    void Reserve(std::size_t bodyCount);

    // Sorts the bodies whose solid flag is set into the grid; axes[i] is body i's local x axis
    // (read for boxes). count must not exceed the reserved body count.
    void Build(const RigidBody* bodies, const Vector2* axes, const std::uint8_t* solid,
               std::size_t count);

    // Collects the solid bodies j > i whose bounds touch body i's, in ascending order, into
    // GetCandidates(). False, with nothing collected, when that would exceed the work budget
    // left for this build.
    bool Query(std::size_t i);
    const std::uint32_t* GetCandidates() const { return myCandidates.data(); }
    std::size_t GetCandidateCount() const { return myCandidateCount; }

    float GetCellSize() const { return myCellSize; }
    std::size_t GetLargeBodyCount() const { return myLarge.size(); }

private:
    struct Bounds {
        float minX, minY, maxX, maxY;
    };
    struct CellRange {
        std::int32_t x0, y0, x1, y1;
    };
    enum EPlacement : std::uint8_t { PLACED_NOWHERE = 0, PLACED_IN_GRID = 1, PLACED_LARGE = 2 };

    static Bounds MakeBounds(const RigidBody& body, Vector2 axis);
    static bool Touch(const Bounds& a, const Bounds& b);
    void ChooseCellSize(std::size_t solidCount);
    bool FindCells(const Bounds& bounds, CellRange& range) const;
    std::uint32_t Bucket(std::int32_t cx, std::int32_t cy) const;
    void FillBuckets(std::size_t count);
    void QueryLarge(std::size_t i);
    void QueryGrid(std::size_t i);
    std::size_t GridWork(std::size_t i) const;

    std::size_t myCount = 0;
    std::vector<Bounds> myBounds;
    std::vector<CellRange> myCells;
    std::vector<std::uint8_t> myPlacement;
    std::vector<std::uint32_t> myLarge;
    std::vector<float> mySizes;
    std::vector<std::uint32_t> myBucketStart;
    std::vector<std::uint32_t> myEntries;
    std::vector<std::uint32_t> myStamp;
    std::vector<std::uint32_t> myCandidates;
    std::size_t myCandidateCount = 0;
    std::uint32_t myBucketMask = 0;
    std::uint32_t myStampValue = 0;
    std::size_t myWork = 0;
    float myCellSize = 1.0f;
};

}  // namespace marbles

#endif

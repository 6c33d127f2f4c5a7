// The broad phase of the physics step: a uniform grid over the bodies' bounding boxes that
// tells, for one body, which later bodies might touch it, in ascending index order.
#include "marbles/physics/cbroadphase.h"

#include <algorithm>
#include <cmath>

#include "tarn/utils/logger/cassert.h"

namespace marbles {

namespace {

// Widening of every bound, relative to the size and distance from the origin of its body:
// thousands of times the rounding error of the contact tests.
const float RELATIVE_MARGIN = 1e-4f;
const float ABSOLUTE_MARGIN = 1e-30f;
// A body covering more cells than this is checked against the others one by one instead.
const std::int64_t MAX_CELLS_PER_BODY = 64;
// Cell coordinates beyond this make a body large rather than overflow an integer.
const double MAX_CELL_COORDINATE = 1e8;

std::size_t BucketCountFor(std::size_t bodyCount) {
    std::size_t buckets = 16;
    while (buckets < 2 * bodyCount) buckets *= 2;
    return buckets;
}

}  // namespace

void CBroadPhase::Reserve(std::size_t bodyCount) {
    if (myBounds.size() >= bodyCount) return;
    myBounds.resize(bodyCount);
    myCells.resize(bodyCount);
    myPlacement.resize(bodyCount);
    myLarge.reserve(bodyCount);
    mySizes.resize(bodyCount);
    myStamp.resize(bodyCount);
    myCandidates.resize(bodyCount);
    myEntries.resize(6 * bodyCount + 256);
    const std::size_t buckets = BucketCountFor(bodyCount);
    myBucketStart.assign(buckets + 1, 0);
    myBucketMask = static_cast<std::uint32_t>(buckets - 1);
}

CBroadPhase::Bounds CBroadPhase::MakeBounds(const RigidBody& body, Vector2 axis) {
    float ex = body.extent.x;
    float ey = body.extent.x;
    if (body.shape == SHAPE_BOX) {
        const float c = std::fabs(axis.x);
        const float s = std::fabs(axis.y);
        ex = c * body.extent.x + s * body.extent.y;
        ey = s * body.extent.x + c * body.extent.y;
    }
    const Vector2 p = body.position;
    const float margin =
        RELATIVE_MARGIN * (std::fabs(p.x) + std::fabs(p.y) + ex + ey) + ABSOLUTE_MARGIN;
    ex += margin;
    ey += margin;
    return Bounds{p.x - ex, p.y - ey, p.x + ex, p.y + ey};
}

bool CBroadPhase::Touch(const Bounds& a, const Bounds& b) {
    return a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY;
}

void CBroadPhase::Build(const RigidBody* bodies, const Vector2* axes, const std::uint8_t* solid,
                        std::size_t count) {
    cassert(count <= myBounds.size()) cvalue(count);
    myCount = std::min(count, myBounds.size());
    myWork = 0;
    myStampValue = 0;
    myCandidateCount = 0;
    myLarge.clear();

    std::size_t solidCount = 0;
    for (std::size_t i = 0; i < myCount; ++i) {
        myStamp[i] = 0;
        if (!solid[i]) {
            myPlacement[i] = PLACED_NOWHERE;
            continue;
        }
        myPlacement[i] = PLACED_IN_GRID;
        const Bounds& b = myBounds[i] = MakeBounds(bodies[i], axes[i]);
        mySizes[solidCount++] = std::max(b.maxX - b.minX, b.maxY - b.minY);
    }
    ChooseCellSize(solidCount);

    std::size_t entries = 0;
    for (std::size_t i = 0; i < myCount; ++i) {
        if (myPlacement[i] != PLACED_IN_GRID) continue;
        CellRange& range = myCells[i];
        bool fits = FindCells(myBounds[i], range);
        if (fits) {
            const std::int64_t cells = (std::int64_t(range.x1) - range.x0 + 1) *
                                       (std::int64_t(range.y1) - range.y0 + 1);
            fits = cells <= MAX_CELLS_PER_BODY &&
                   entries + static_cast<std::size_t>(cells) <= myEntries.size();
            if (fits) entries += static_cast<std::size_t>(cells);
        }
        if (!fits) {
            myPlacement[i] = PLACED_LARGE;
            myLarge.push_back(static_cast<std::uint32_t>(i));
        }
    }
    FillBuckets(entries);
}

void CBroadPhase::ChooseCellSize(std::size_t solidCount) {
    myCellSize = 1.0f;
    if (solidCount == 0) return;
    float* middle = mySizes.data() + solidCount / 2;
    std::nth_element(mySizes.data(), middle, mySizes.data() + solidCount);
    const float cell = 2.0f * *middle;
    if (cell > 0.0f && std::isfinite(cell)) myCellSize = cell;
}

bool CBroadPhase::FindCells(const Bounds& bounds, CellRange& range) const {
    const double cell = myCellSize;
    const double x0 = std::floor(bounds.minX / cell);
    const double y0 = std::floor(bounds.minY / cell);
    const double x1 = std::floor(bounds.maxX / cell);
    const double y1 = std::floor(bounds.maxY / cell);
    const double limit = MAX_CELL_COORDINATE;
    if (!(x0 >= -limit && y0 >= -limit && x1 <= limit && y1 <= limit)) return false;
    range = CellRange{static_cast<std::int32_t>(x0), static_cast<std::int32_t>(y0),
                      static_cast<std::int32_t>(x1), static_cast<std::int32_t>(y1)};
    return true;
}

std::uint32_t CBroadPhase::Bucket(std::int32_t cx, std::int32_t cy) const {
    const std::uint32_t hash = static_cast<std::uint32_t>(cx) * 73856093u ^
                               static_cast<std::uint32_t>(cy) * 19349663u;
    return hash & myBucketMask;
}

void CBroadPhase::FillBuckets(std::size_t entries) {
    // Nothing reserved yet: a world that never held a body has no buckets to fill.
    if (myBucketStart.empty()) return;
    const std::size_t buckets = myBucketStart.size() - 1;
    std::fill(myBucketStart.begin(), myBucketStart.end(), 0);
    for (std::size_t i = 0; i < myCount; ++i) {
        if (myPlacement[i] != PLACED_IN_GRID) continue;
        const CellRange& r = myCells[i];
        for (std::int32_t cy = r.y0; cy <= r.y1; ++cy)
            for (std::int32_t cx = r.x0; cx <= r.x1; ++cx) ++myBucketStart[Bucket(cx, cy)];
    }
    // Running ends, then filled backwards: each bucket lists its bodies in ascending order
    // and its end becomes its start.
    for (std::size_t b = 1; b < buckets; ++b) myBucketStart[b] += myBucketStart[b - 1];
    myBucketStart[buckets] = static_cast<std::uint32_t>(entries);
    for (std::size_t i = myCount; i-- > 0;) {
        if (myPlacement[i] != PLACED_IN_GRID) continue;
        const CellRange& r = myCells[i];
        for (std::int32_t cy = r.y0; cy <= r.y1; ++cy)
            for (std::int32_t cx = r.x0; cx <= r.x1; ++cx)
                myEntries[--myBucketStart[Bucket(cx, cy)]] = static_cast<std::uint32_t>(i);
    }
}

bool CBroadPhase::Query(std::size_t i) {
    myCandidateCount = 0;
    if (i >= myCount || myPlacement[i] == PLACED_NOWHERE) return true;
    const std::size_t work = myPlacement[i] == PLACED_LARGE ? myCount - i : GridWork(i);
    if (work > WORK_BUDGET - myWork) return false;
    myWork += work;
    if (myPlacement[i] == PLACED_LARGE) {
        QueryLarge(i);
    } else {
        QueryGrid(i);
    }
    return true;
}

std::size_t CBroadPhase::GridWork(std::size_t i) const {
    const CellRange& r = myCells[i];
    std::size_t work = myLarge.size();
    for (std::int32_t cy = r.y0; cy <= r.y1; ++cy) {
        for (std::int32_t cx = r.x0; cx <= r.x1; ++cx) {
            const std::uint32_t b = Bucket(cx, cy);
            work += myBucketStart[b + 1] - myBucketStart[b];
        }
    }
    return work;
}

void CBroadPhase::QueryLarge(std::size_t i) {
    const Bounds& bounds = myBounds[i];
    std::uint32_t* out = myCandidates.data();
    for (std::size_t j = i + 1; j < myCount; ++j) {
        if (myPlacement[j] != PLACED_NOWHERE && Touch(bounds, myBounds[j]))
            out[myCandidateCount++] = static_cast<std::uint32_t>(j);
    }
}

void CBroadPhase::QueryGrid(std::size_t i) {
    const Bounds& bounds = myBounds[i];
    const CellRange& r = myCells[i];
    const std::uint32_t self = static_cast<std::uint32_t>(i);
    const std::uint32_t stamp = ++myStampValue;
    std::uint32_t* out = myCandidates.data();
    for (std::int32_t cy = r.y0; cy <= r.y1; ++cy) {
        for (std::int32_t cx = r.x0; cx <= r.x1; ++cx) {
            const std::uint32_t b = Bucket(cx, cy);
            const std::uint32_t* begin = myEntries.data() + myBucketStart[b];
            const std::uint32_t* end = myEntries.data() + myBucketStart[b + 1];
            // Buckets are sorted: skip straight past the bodies at or before i.
            const std::uint32_t* e = std::upper_bound(begin, end, self);
            for (; e != end; ++e) {
                const std::uint32_t j = *e;
                if (myStamp[j] == stamp) continue;
                myStamp[j] = stamp;
                if (Touch(bounds, myBounds[j])) out[myCandidateCount++] = j;
            }
        }
    }
    const auto firstLarge = std::upper_bound(myLarge.begin(), myLarge.end(), self);
    for (auto l = firstLarge; l != myLarge.end(); ++l) {
        if (Touch(bounds, myBounds[*l])) out[myCandidateCount++] = *l;
    }
    std::sort(out, out + myCandidateCount);
}

}  // namespace marbles

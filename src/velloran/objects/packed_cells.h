#pragma once
// TPackedCells: grid cells in two arrays, an offset per cell and the objects
// one after another, built at once from a whole layer in list order. A
// removal leaves a hole until the next build; nothing is added in between.
// Per object it costs the pointers alone, where a cell of its own would
// cost a header, its allocation and room to grow.

#include <cstdint>
#include <memory>
#include <vector>

#include "velloran/foundations/types.h"

namespace vl {

class TvlObject;

/// Grid cells in two arrays built at once from a layer: a pointer an entry.
class TPackedCells {
public:
    using TSmall = bool (*)(const TLimRec& Lim);

    /// Files every object whose stored limits are Small under the cells they
    /// meet: cells of 2^CellShift units, or half that side where small objects
    /// crowd them. False, with nothing filed, when the objects lie so far apart
    /// that most cells would stay empty.
    bool Build(const std::vector<std::unique_ptr<TvlObject>>& Items, int32_t CellShift, TSmall Small);
    /// Lim as built; true when Obj was found.
    bool Erase(const TvlObject* Obj, const TLimRec& Lim);
    /// Removes Obj wherever it is.
    void Sweep(const TvlObject* Obj);
    void Clear();
    /// Appends every object whose stored limits meet Area (duplicates possible).
    void Query(const TLimRec& Area, std::vector<TvlObject*>& Out) const;

    int64_t Entries() const { return static_cast<int64_t>(FEntries.size()); }
    int64_t Holes() const { return FHoles; }

private:
    /// The cells' index range of Lim, clipped to the built extent; false when outside.
    bool Range(const TLimRec& Lim, int32_t& x0, int32_t& y0, int32_t& x1, int32_t& y1) const;
    size_t Cell(int32_t x, int32_t y) const { return static_cast<size_t>(y - FY0) * FW + static_cast<size_t>(x - FX0); }

    int32_t FShift = 8;
    int32_t FX0 = 0, FY0 = 0;
    size_t FW = 0, FH = 0;
    /// Cell c holds FEntries[FStart[c]] up to FEntries[FStart[c + 1]].
    std::vector<uint32_t> FStart;
    std::vector<TvlObject*> FEntries;
    int64_t FHoles = 0;
};

} // namespace vl

#pragma once
// TSpatialGrid: a uniform grid over the objects' maximal limits, keyed by
// cell, so an area query touches only the objects near it. It narrows
// candidates only; the caller puts them back into list order and applies
// its own test. Objects too large for a few cells and those filed with
// empty limits (unbounded, or to be asked always) are kept in one list every
// query returns.

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "velloran/foundations/types.h"
#include "velloran/objects/packed_cells.h"

namespace vl {

class TvlObject;

/// A uniform grid over the objects' limits, so an area query touches only the objects near it.
class TSpatialGrid {
public:
    /// Side of a cell in logical units; a power of two keeps the cell lookup a
    /// shift. Measured on symbols of 6 to 300 units at 1,000 per screen: 256
    /// keeps the per-cell overhead below 2 bytes an object while a mouse
    /// query still meets only a few dozen candidates, settled by the stored limits.
    static constexpr int32_t CellShift = 8;
    /// An object spanning more cells than this goes to the list of large ones.
    static constexpr int64_t MaxCellsPerObject = 16;

    void Insert(TvlObject* Obj, const TLimRec& Lim);
    /// Lim as inserted; otherwise every cell is searched.
    void Erase(TvlObject* Obj, const TLimRec& Lim);
    void Clear();
    /// Appends every object whose stored limits meet Area, and every large
    /// one (duplicates possible).
    void Query(const TLimRec& Area, std::vector<TvlObject*>& Out) const;
    int64_t Size() const { return FSize; }

    /// Objects come into hashed cells one by one; once many came (or went),
    /// Pack files all of them afresh in packed cells, which cost a third less.
    bool WantsPacking() const;
    /// Items are every object filed here, under their stored limits.
    void Pack(const std::vector<std::unique_ptr<TvlObject>>& Items);

private:
    struct TCellRange {
        int32_t x0, y0, x1, y1;
        int64_t Cells() const { return (int64_t(x1) - x0 + 1) * (int64_t(y1) - y0 + 1); }
    };
    static TCellRange RangeOf(const TLimRec& Lim);
    static bool Large(const TLimRec& Lim);
    static uint64_t Key(int32_t cx, int32_t cy) {
        return (uint64_t(uint32_t(cx)) << 32) | uint32_t(cy);
    }
    static bool EraseFrom(std::vector<TvlObject*>& V, TvlObject* Obj);
    /// Removes Obj wherever it is; for entries filed under unknown limits.
    void Sweep(TvlObject* Obj);

    static bool Small(const TLimRec& Lim) { return !Large(Lim); }

    std::unordered_map<uint64_t, std::vector<TvlObject*>> FCells;
    /// Entries in FCells.
    int64_t FLoose = 0;
    TPackedCells FPacked;
    /// Changes (loose entries and holes) before packing is tried again.
    int64_t FRetryAt = 0;
    std::vector<TvlObject*> FLarge;
    int64_t FSize = 0;
};

} // namespace vl

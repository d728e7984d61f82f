#include "velloran/objects/spatial_grid.h"

#include "velloran/objects/object.h"

#include <algorithm>
#include <iterator>

namespace vl {

TSpatialGrid::TCellRange TSpatialGrid::RangeOf(const TLimRec& Lim) {
    // Arithmetic shift floors, so negative coordinates fall into their own cells.
    return {Lim.Xmin >> CellShift, Lim.Ymin >> CellShift, Lim.Xmax >> CellShift, Lim.Ymax >> CellShift};
}

bool TSpatialGrid::Large(const TLimRec& Lim) {
    if (Lim.Xmax < Lim.Xmin || Lim.Ymax < Lim.Ymin) return true;
    return RangeOf(Lim).Cells() > MaxCellsPerObject;
}

bool TSpatialGrid::EraseFrom(std::vector<TvlObject*>& V, TvlObject* Obj) {
    const auto it = std::find(V.begin(), V.end(), Obj);
    if (it == V.end()) return false;
    *it = V.back();
    V.pop_back();
    return true;
}

void TSpatialGrid::Sweep(TvlObject* Obj) {
    EraseFrom(FLarge, Obj);
    FPacked.Sweep(Obj);
    for (auto it = FCells.begin(); it != FCells.end();) {
        while (EraseFrom(it->second, Obj)) --FLoose;
        it = it->second.empty() ? FCells.erase(it) : std::next(it);
    }
}

void TSpatialGrid::Insert(TvlObject* Obj, const TLimRec& Lim) {
    ++FSize;
    if (Large(Lim)) {
        FLarge.push_back(Obj);
        return;
    }
    const TCellRange r = RangeOf(Lim);
    for (int32_t y = r.y0; y <= r.y1; ++y)
        for (int32_t x = r.x0; x <= r.x1; ++x) {
            std::vector<TvlObject*>& cell = FCells[Key(x, y)];
            // Cells grow by an eighth: doubling would leave a third of the index unused.
            if (cell.size() == cell.capacity()) cell.reserve(cell.size() + cell.size() / 8 + 2);
            cell.push_back(Obj);
            ++FLoose;
        }
}

void TSpatialGrid::Erase(TvlObject* Obj, const TLimRec& Lim) {
    --FSize;
    bool found = true;
    if (Large(Lim)) {
        found = EraseFrom(FLarge, Obj);
    } else if (FPacked.Erase(Obj, Lim)) {
        found = true;
    } else {
        const TCellRange r = RangeOf(Lim);
        for (int32_t y = r.y0; y <= r.y1; ++y)
            for (int32_t x = r.x0; x <= r.x1; ++x) {
                const auto it = FCells.find(Key(x, y));
                if (it == FCells.end()) {
                    found = false;
                    continue;
                }
                const bool here = EraseFrom(it->second, Obj);
                FLoose -= here;
                found = here && found;
                if (it->second.empty()) FCells.erase(it);
            }
    }
    // Filed under other limits than the caller knows: no entry may outlive the object.
    if (!found) Sweep(Obj);
}

void TSpatialGrid::Clear() {
    // Swapped out, so the buckets go too.
    std::unordered_map<uint64_t, std::vector<TvlObject*>>().swap(FCells);
    FLoose = 0;
    FRetryAt = 0;
    FPacked.Clear();
    FLarge.clear();
    FLarge.shrink_to_fit();
    FSize = 0;
}

bool TSpatialGrid::WantsPacking() const {
    // Packing costs a pass over the layer: only once it saves a real share.
    const int64_t packed = FPacked.Entries() - FPacked.Holes();
    const bool worth = (FLoose > 1024 && FLoose > packed / 8) || FPacked.Holes() > packed / 4 + 1024;
    return worth && FLoose + FPacked.Holes() >= FRetryAt;
}

void TSpatialGrid::Pack(const std::vector<std::unique_ptr<TvlObject>>& Items) {
    TPackedCells packed;
    if (!packed.Build(Items, CellShift, &Small)) {
        // Too sparse for packed cells: all stays as filed, and packing is
        // tried again only after as many changes again.
        FRetryAt = 2 * (FLoose + FPacked.Holes());
        return;
    }
    FPacked = std::move(packed);
    std::unordered_map<uint64_t, std::vector<TvlObject*>>().swap(FCells);
    FLoose = 0;
    FRetryAt = 0;
}

namespace {

// The stored limits settle most entries without a virtual call.
void AddMeeting(const std::vector<TvlObject*>& Cell, const TLimRec& Area, std::vector<TvlObject*>& Out) {
    for (TvlObject* o : Cell)
        if (o->StoredLimitsMeet(Area)) Out.push_back(o);
}

} // namespace

void TSpatialGrid::Query(const TLimRec& Area, std::vector<TvlObject*>& Out) const {
    Out.insert(Out.end(), FLarge.begin(), FLarge.end());
    FPacked.Query(Area, Out);
    if (Area.Xmax < Area.Xmin || Area.Ymax < Area.Ymin || FCells.empty()) return;
    const TCellRange r = RangeOf(Area);
    // A huge area would visit more empty cells than there are filled ones.
    if (r.Cells() > static_cast<int64_t>(FCells.size())) {
        for (const auto& [key, objs] : FCells) {
            const auto cx = static_cast<int32_t>(key >> 32), cy = static_cast<int32_t>(uint32_t(key));
            if (cx >= r.x0 && cx <= r.x1 && cy >= r.y0 && cy <= r.y1) AddMeeting(objs, Area, Out);
        }
        return;
    }
    for (int32_t y = r.y0; y <= r.y1; ++y)
        for (int32_t x = r.x0; x <= r.x1; ++x)
            if (const auto it = FCells.find(Key(x, y)); it != FCells.end()) AddMeeting(it->second, Area, Out);
}

} // namespace vl

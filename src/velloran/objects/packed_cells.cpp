#include "velloran/objects/packed_cells.h"

#include <algorithm>
#include <limits>

#include "velloran/objects/object.h"

namespace vl {

void TPackedCells::Clear() {
    // Swapped out, so the memory goes back at once.
    std::vector<uint32_t>().swap(FStart);
    std::vector<TvlObject*>().swap(FEntries);
    FW = FH = 0;
    FHoles = 0;
}

bool TPackedCells::Build(const std::vector<std::unique_ptr<TvlObject>>& Items, int32_t CellShift, TSmall Small) {
    Clear();
    // The extent and the entry count at the grid's cell size and at half of it.
    struct TTry {
        int32_t Shift, x0, y0, x1, y1;
        int64_t Entries;
    } tries[2];
    for (int k = 0; k < 2; ++k)
        tries[k] = {CellShift - k, std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max(),
                    std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min(), 0};
    int64_t objects = 0;
    for (const auto& o : Items) {
        if (!o) continue;
        const TLimRec L = o->StoredLimits();
        if (!Small(L)) continue;
        ++objects;
        for (TTry& t : tries) {
            const int32_t ax = L.Xmin >> t.Shift, ay = L.Ymin >> t.Shift, bx = L.Xmax >> t.Shift, by = L.Ymax >> t.Shift;
            t.x0 = std::min(t.x0, ax);
            t.y0 = std::min(t.y0, ay);
            t.x1 = std::max(t.x1, bx);
            t.y1 = std::max(t.y1, by);
            t.Entries += (int64_t{bx} - ax + 1) * (int64_t{by} - ay + 1);
        }
    }
    if (objects == 0) return true;
    auto cellsOf = [](const TTry& t) { return (int64_t{t.x1} - t.x0 + 1) * (int64_t{t.y1} - t.y0 + 1); };
    // Offsets are 32 bits; a sparse drawing stays in the hashed cells.
    auto fits = [&](const TTry& t) { return cellsOf(t) <= 2 * objects + 4096 && t.Entries <= std::numeric_limits<uint32_t>::max(); };
    // Objects small beside the cells, crowded in them: half the side
    // quarters what a mouse search scans and adds few entries.
    const TTry& fine = tries[1];
    const TTry& coarse = tries[0];
    const bool crowded = coarse.Entries > 16 * cellsOf(coarse);
    const TTry* pick = crowded && fits(fine) && fine.Entries * 4 <= coarse.Entries * 5 ? &fine : &coarse;
    if (!fits(*pick)) return false;
    FShift = pick->Shift;
    const int32_t x0 = pick->x0, y0 = pick->y0, x1 = pick->x1, y1 = pick->y1;
    const int64_t w = int64_t{x1} - x0 + 1, h = int64_t{y1} - y0 + 1;
    FX0 = x0;
    FY0 = y0;
    FW = static_cast<size_t>(w);
    FH = static_cast<size_t>(h);
    const size_t cells = FW * FH;
    std::vector<uint32_t> start(cells + 1, 0);
    for (const auto& o : Items) {
        if (!o) continue;
        const TLimRec L = o->StoredLimits();
        if (!Small(L)) continue;
        for (int32_t y = L.Ymin >> FShift; y <= L.Ymax >> FShift; ++y)
            for (int32_t x = L.Xmin >> FShift; x <= L.Xmax >> FShift; ++x) ++start[Cell(x, y) + 1];
    }
    for (size_t c = 0; c < cells; ++c) start[c + 1] += start[c];
    std::vector<TvlObject*> entries(static_cast<size_t>(pick->Entries));
    // Each cell's offset runs to its end while it fills, then moves back.
    for (const auto& o : Items) {
        if (!o) continue;
        const TLimRec L = o->StoredLimits();
        if (!Small(L)) continue;
        for (int32_t y = L.Ymin >> FShift; y <= L.Ymax >> FShift; ++y)
            for (int32_t x = L.Xmin >> FShift; x <= L.Xmax >> FShift; ++x) entries[start[Cell(x, y)]++] = o.get();
    }
    for (size_t c = cells; c > 0; --c) start[c] = start[c - 1];
    start[0] = 0;
    FStart = std::move(start);
    FEntries = std::move(entries);
    return true;
}

bool TPackedCells::Range(const TLimRec& Lim, int32_t& x0, int32_t& y0, int32_t& x1, int32_t& y1) const {
    if (FW == 0 || Lim.Xmax < Lim.Xmin || Lim.Ymax < Lim.Ymin) return false;
    const int64_t xe = FX0 + static_cast<int64_t>(FW) - 1, ye = FY0 + static_cast<int64_t>(FH) - 1;
    x0 = static_cast<int32_t>(std::max<int64_t>(Lim.Xmin >> FShift, FX0));
    y0 = static_cast<int32_t>(std::max<int64_t>(Lim.Ymin >> FShift, FY0));
    x1 = static_cast<int32_t>(std::min<int64_t>(Lim.Xmax >> FShift, xe));
    y1 = static_cast<int32_t>(std::min<int64_t>(Lim.Ymax >> FShift, ye));
    return x0 <= x1 && y0 <= y1;
}

bool TPackedCells::Erase(const TvlObject* Obj, const TLimRec& Lim) {
    int32_t x0, y0, x1, y1;
    if (!Range(Lim, x0, y0, x1, y1)) return false;
    bool found = false;
    for (int32_t y = y0; y <= y1; ++y)
        for (int32_t x = x0; x <= x1; ++x) {
            const size_t c = Cell(x, y);
            const auto b = FEntries.begin() + FStart[c], e = FEntries.begin() + FStart[c + 1];
            if (const auto it = std::find(b, e, Obj); it != e) {
                *it = nullptr;
                ++FHoles;
                found = true;
            }
        }
    return found;
}

void TPackedCells::Sweep(const TvlObject* Obj) {
    for (TvlObject*& e : FEntries)
        if (e == Obj) {
            e = nullptr;
            ++FHoles;
        }
}

void TPackedCells::Query(const TLimRec& Area, std::vector<TvlObject*>& Out) const {
    int32_t x0, y0, x1, y1;
    if (!Range(Area, x0, y0, x1, y1)) return;
    for (int32_t y = y0; y <= y1; ++y) {
        // A row of cells is one run of entries.
        const auto b = FEntries.begin() + FStart[Cell(x0, y)], e = FEntries.begin() + FStart[Cell(x1, y) + 1];
        for (auto it = b; it != e; ++it)
            if (TvlObject* o = *it; o && o->StoredLimitsMeet(Area)) Out.push_back(o);
    }
}

} // namespace vl

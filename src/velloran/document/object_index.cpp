#include "velloran/document/object_index.h"

#include <algorithm>

#include "velloran/objects/layer.h"
#include "velloran/objects/object.h"

namespace vl {

TObjectIndex::TObjectIndex(const TvlLayer& Objects) {
    FEntries.reserve(static_cast<size_t>(Objects.Count()));
    for (int32_t i = 0; i < Objects.Count(); ++i)
        if (TvlObject* o = Objects.Get(i)) FEntries.push_back({KeyOf(o->ClassNr(), o->ObjID), o});
    std::stable_sort(FEntries.begin(), FEntries.end(), [](const TEntry& a, const TEntry& b) { return a.Key < b.Key; });
}

TvlObject* TObjectIndex::Find(int16_t ClassNr, uint16_t ObjID) const {
    const uint32_t key = KeyOf(ClassNr, ObjID);
    auto it = std::lower_bound(FEntries.begin(), FEntries.end(), key,
                               [](const TEntry& e, uint32_t k) { return e.Key < k; });
    return it != FEntries.end() && it->Key == key ? it->Object : nullptr;
}

} // namespace vl

#pragma once
// The class-number translation in force while a drawing is read. Building it
// from a creator map or a map file is completed by the map-file work.

#include <cstdint>
#include <vector>

#include "velloran/foundations/scoped_value.h"

namespace vl {

/// One class-number translation: stored number to current number.
struct TMapElem {
    int32_t FromNr = 0;
    int32_t ToNr = 0;
};

/// The class-number translation in force while a drawing is read.
class TMapper {
public:
    TMapper() = default;
    explicit TMapper(std::vector<TMapElem> map) : TheMap(std::move(map)), Valid(true) {}
    /// The first entry for aClassNr, or aClassNr unchanged.
    int32_t MapClassNr(int32_t aClassNr) const {
        for (const TMapElem& e : TheMap)
            if (e.FromNr == aClassNr) return e.ToNr;
        return aClassNr;
    }
    int32_t Count() const { return static_cast<int32_t>(TheMap.size()); }

    std::vector<TMapElem> TheMap;
    bool Valid = false;
};

/// The active translation (not owned here; the loader creates and frees it).
inline TMapper* Mapper = nullptr;

/// Installs a translation for one scope (a load).
class TMapperScope : TScopedValue<TMapper*> {
public:
    explicit TMapperScope(TMapper* Map) : TScopedValue(Mapper, Map) {}
};

} // namespace vl

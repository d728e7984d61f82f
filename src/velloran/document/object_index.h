#pragma once
// TObjectIndex: freshly read objects by their stored identity (class
// number, ObjID), so that resolving the links of a loaded drawing costs a
// binary search per link instead of a walk over the drawing.

#include <cstdint>
#include <vector>

namespace vl {

class TvlLayer;
class TvlObject;

/// Freshly read objects by stored identity, so resolving a loaded drawing's links is a binary search per link.
class TObjectIndex {
public:
    /// Every non-nil object of Objects; among equal identities the first in
    /// list order wins, as a search from the front would find it.
    explicit TObjectIndex(const TvlLayer& Objects);
    TvlObject* Find(int16_t ClassNr, uint16_t ObjID) const;

private:
    struct TEntry {
        uint32_t Key;
        TvlObject* Object;
    };
    static uint32_t KeyOf(int16_t ClassNr, uint16_t ObjID) {
        return (uint32_t{static_cast<uint16_t>(ClassNr)} << 16) | ObjID;
    }
    std::vector<TEntry> FEntries;
};

} // namespace vl

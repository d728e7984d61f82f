#pragma once
// TCapList: an ordered list of drawing objects that owns nothing; it refers
// to objects kept elsewhere (the mark case refers to objects of the
// document's layers).

#include <cstdint>

#include "velloran/objects/object_sequence.h"

namespace vl {

/// An ordered list of drawing objects that owns nothing (the mark case).
class TCapList : public TObjectSequence<TvlObject*> {
public:
    /// Inserted at FindZIndex of its ZOrder when lsZOrder is set and the
    /// ZOrder is not 0; appended otherwise. Returns the new index.
    int32_t Add(TvlObject* Item);
    /// Appends whatever the ZOrder; returns the new index.
    int32_t Append(TvlObject* Item);
    /// Index may be Count (append).
    void Insert(int32_t Index, TvlObject* Item) { InsertSlot(Index, Item); }
    void Put(int32_t Index, TvlObject* Item) { SlotAt(Index) = Item; }
    void SetItems(int32_t Index, TvlObject* Item) { Put(Index, Item); }
    void Delete(int32_t Index) { EraseSlot(Index); }
    /// Removes the first occurrence; returns its index or -1.
    int32_t Remove(const TvlObject* Item);
    void Clear();
};

} // namespace vl

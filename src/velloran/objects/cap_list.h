#pragma once
// TCapList: an ordered list of drawing objects. List order is stacking
// order (index 0 is painted first and lies at the back); Add inserts by the
// generator's ZOrder. Searches may start at a stored index and wrap, so a
// tool can step through overlapping objects on repeated clicks. The list
// owns nothing.

#include <cstdint>

#include "velloran/foundations/set.h"
#include "velloran/objects/object_walks.h"
#include "velloran/platform/pointer_list.h"

namespace vl {

class TStream;

// Bit i is flag i, kept in one byte.
enum class TListFlag : uint8_t {
    lsZOrder,     // Add inserts by ZOrder
    lsModified,
    lsNewLimits,  // limits were reset; the next full traversal rebuilds them
    lsHidden,
    lsDontSave,
    lsDontRemove,
};
using TListState = TSet<TListFlag, uint8_t>;

class TCapList : public TPointerList<TvlObject> {
public:
    TCapList() = default;
    virtual ~TCapList() = default;
    TCapList(const TCapList&) = delete;
    TCapList& operator=(const TCapList&) = delete;

    // Writes every non-nil item whose generator does not have roDontSave.
    virtual void SaveToStream(TStream& Stream);
    // Action for every non-nil item, from the front (index 0) or from the
    // back. Count is read once: Action may set entries to nil, but must not
    // insert or remove.
    virtual void AllObjects(TAllObjectsProc Action);
    virtual void AllObjectsBack(TAllObjectsProc Action);

    TvlObject* GetItems(int32_t Index) const { return Get(Index); }
    void SetItems(int32_t Index, TvlObject* Item) { Put(Index, Item); }

    // Inserted at FindZIndex of its ZOrder when lsZOrder is set and the
    // ZOrder is not 0; appended otherwise. Returns the new index.
    int32_t Add(TvlObject* Item);
    // The first item whose ZOrder is smaller than Z, or Count.
    int32_t FindZIndex(int32_t Z) const;

    int32_t StartIndex() const { return FStartIndex; }
    // Values outside 0..Count-1 give 0.
    void SetStartIndex(int32_t Value);

    // Cyclic searches from the start index; nil or -1 when nothing matches.
    TvlObject* FirstObjectWith(TFirstObjectFunc Condition);
    TvlObject* LastObjectWith(TFirstObjectFunc Condition);
    int32_t FirstIndexWith(TFirstObjectFunc Condition);
    int32_t LastIndexWith(TFirstObjectFunc Condition);

    TListState State;

protected:
    // The start index, or 0 when the list shrank below it.
    int32_t Start() const { return FStartIndex < Count() ? FStartIndex : 0; }
    static int32_t ZOrderOf(const TvlObject& Item);

    int32_t FStartIndex = 0;

private:
    // Index of the hit, or -1; SecondPass tells whether the wrap ran.
    int32_t ForwardSearch(TFirstObjectFunc Condition, bool& SecondPass) const;
    int32_t BackwardSearch(TFirstObjectFunc Condition, bool& SecondPass) const;
};

} // namespace vl

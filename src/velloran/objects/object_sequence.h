#pragma once
// TObjectSequence: what every list of drawing objects shares, whether it
// owns its objects (a layer) or only refers to them (the mark case). List
// order is stacking order (index 0 is painted first and lies at the back);
// Add inserts by the generator's ZOrder. Searches may start at a stored
// index and wrap, so a tool can step through overlapping objects on
// repeated clicks. Entries may be nil while a walk runs. Every index
// outside the list raises EListError with SListIndexError.
//
// Slot is TvlObject* for lists that own nothing and
// std::unique_ptr<TvlObject> for lists that own their objects; how entries
// are added and removed is left to the two kinds.

#include <cstdint>
#include <memory>
#include <vector>

#include "velloran/foundations/set.h"
#include "velloran/objects/object_walks.h"

namespace vl {

class TStream;

/// State flags of an object list.
/// Bit i is flag i, kept in one byte.
enum class TListFlag : uint8_t {
    lsZOrder,     // Add inserts by ZOrder
    lsModified,
    lsNewLimits,  // limits were reset; the next full traversal rebuilds them
    lsHidden,
    lsDontSave,
    lsDontRemove,
};
using TListState = TSet<TListFlag, uint8_t>;

/// What every list of drawing objects shares; list order is stacking order.
template <typename Slot> class TObjectSequence {
public:
    TObjectSequence() = default;
    /// Out of line: the owning kind frees objects, which needs the whole class.
    virtual ~TObjectSequence();
    TObjectSequence(const TObjectSequence&) = delete;
    TObjectSequence& operator=(const TObjectSequence&) = delete;

    int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
    int32_t Capacity() const { return static_cast<int32_t>(FItems.capacity()); }
    /// Below Count raises SListCapacityError.
    void SetCapacity(int32_t Value);
    TvlObject* Get(int32_t Index) const;
    TvlObject* Items(int32_t Index) const { return Get(Index); }
    TvlObject* GetItems(int32_t Index) const { return Get(Index); }
    /// First index of Item, -1 when absent.
    int32_t IndexOf(const TvlObject* Item) const;
    /// Drops the nil entries, keeping the order of the rest.
    void Pack();

    /// Writes every non-nil item whose generator does not have roDontSave.
    virtual void SaveToStream(TStream& Stream);
    /// Action for every non-nil item, from the front (index 0) or from the
    /// back. Count is read once: Action may set entries to nil, but must not
    /// insert or remove.
    virtual void AllObjects(TAllObjectsProc Action);
    virtual void AllObjectsBack(TAllObjectsProc Action);

    /// The first item whose ZOrder is smaller than Z, or Count.
    int32_t FindZIndex(int32_t Z) const;

    int32_t StartIndex() const { return FStartIndex; }
    /// Values outside 0..Count-1 give 0.
    void SetStartIndex(int32_t Value) { FStartIndex = Value >= 0 && Value < Count() ? Value : 0; }

    /// Cyclic searches from the start index; nil or -1 when nothing matches.
    TvlObject* FirstObjectWith(TFirstObjectFunc Condition);
    /// The same search backwards.
    TvlObject* LastObjectWith(TFirstObjectFunc Condition);
    /// FirstObjectWith, giving the index.
    int32_t FirstIndexWith(TFirstObjectFunc Condition);
    /// LastObjectWith, giving the index.
    int32_t LastIndexWith(TFirstObjectFunc Condition);

    TListState State;

protected:
    static TvlObject* Raw(const Slot& S);
    static int32_t ZOrderOf(const TvlObject& Item);
    /// Where Add puts Item: by its ZOrder when lsZOrder is set and the ZOrder
    /// is not 0, else at the end.
    int32_t AddIndex(const TvlObject& Item) const;
    /// Index may be Count (append).
    void InsertSlot(int32_t Index, Slot Item);
    /// Takes the entry out of the list and hands it back.
    Slot EraseSlot(int32_t Index);
    Slot& SlotAt(int32_t Index);
    void CheckIndex(int32_t Index) const;
    /// For changes made to FItems directly: the ZOrder sorting is checked again.
    void ForgetZOrder() { FZSorted = -1; }
    /// Entries from From on changed place.
    virtual void SlotsShifted(int32_t /*From*/) {}
    /// The start index, or 0 when the list shrank below it.
    int32_t Start() const { return FStartIndex < Count() ? FStartIndex : 0; }

    std::vector<Slot> FItems;
    int32_t FStartIndex = 0;

private:
    /// Whether the ZOrders fall from front to back with no nil between, so
    /// FindZIndex can bisect: -1 unknown, else 0 or 1, under the generators'
    /// geometry count FZEpoch.
    bool ZSorted() const;
    mutable int8_t FZSorted = -1;
    mutable uint32_t FZEpoch = 0;

private:
    /// Index of the hit, or -1; SecondPass tells whether the wrap ran.
    int32_t ForwardSearch(TFirstObjectFunc Condition, bool& SecondPass) const;
    int32_t BackwardSearch(TFirstObjectFunc Condition, bool& SecondPass) const;
};

extern template class TObjectSequence<TvlObject*>;
extern template class TObjectSequence<std::unique_ptr<TvlObject>>;

} // namespace vl

#include "velloran/objects/object_sequence.h"

#include <algorithm>

#include "velloran/generators/custom_generator.h"
#include "velloran/objects/object.h"
#include "velloran/foundations/errors.h"

namespace vl {

template <typename Slot> TObjectSequence<Slot>::~TObjectSequence() = default;

template <typename Slot> TvlObject* TObjectSequence<Slot>::Raw(const Slot& S) {
    if constexpr (std::is_pointer_v<Slot>)
        return S;
    else
        return S.get();
}

template <typename Slot> int32_t TObjectSequence<Slot>::ZOrderOf(const TvlObject& Item) {
    return Item.Generator().ZOrder();
}

template <typename Slot> void TObjectSequence<Slot>::CheckIndex(int32_t Index) const {
    if (Index < 0 || Index >= Count()) RaiseListError(SListIndexError, Index);
}

template <typename Slot> void TObjectSequence<Slot>::SetCapacity(int32_t Value) {
    if (Value < Count()) RaiseListError(SListCapacityError, Value);
    if (Value > Capacity()) FItems.reserve(static_cast<size_t>(Value));
}

template <typename Slot> TvlObject* TObjectSequence<Slot>::Get(int32_t Index) const {
    CheckIndex(Index);
    return Raw(FItems[static_cast<size_t>(Index)]);
}

template <typename Slot> Slot& TObjectSequence<Slot>::SlotAt(int32_t Index) {
    CheckIndex(Index);
    // The caller may put anything there.
    FZSorted = -1;
    return FItems[static_cast<size_t>(Index)];
}

template <typename Slot> int32_t TObjectSequence<Slot>::IndexOf(const TvlObject* Item) const {
    const auto it = std::find_if(FItems.begin(), FItems.end(), [Item](const Slot& s) { return Raw(s) == Item; });
    return it == FItems.end() ? -1 : static_cast<int32_t>(it - FItems.begin());
}

template <typename Slot> void TObjectSequence<Slot>::Pack() {
    const auto first = std::find_if(FItems.begin(), FItems.end(), [](const Slot& s) { return !Raw(s); });
    if (first == FItems.end()) return;
    FZSorted = -1;
    SlotsShifted(static_cast<int32_t>(first - FItems.begin()));
    FItems.erase(std::remove_if(first, FItems.end(), [](const Slot& s) { return !Raw(s); }), FItems.end());
}

template <typename Slot> void TObjectSequence<Slot>::InsertSlot(int32_t Index, Slot Item) {
    if (Index < 0 || Index > Count()) RaiseListError(SListIndexError, Index);
    if (FZSorted == 1) {
        const TvlObject* o = Raw(Item);
        const int32_t z = o ? ZOrderOf(*o) : 0;
        const TvlObject* before = Index > 0 ? Raw(FItems[static_cast<size_t>(Index - 1)]) : nullptr;
        const TvlObject* after = Index < Count() ? Raw(FItems[static_cast<size_t>(Index)]) : nullptr;
        if (!o || (before && ZOrderOf(*before) < z) || (after && ZOrderOf(*after) > z)) FZSorted = 0;
    }
    // A quarter more, not double: a list of millions would leave megabytes unused.
    if (FItems.size() == FItems.capacity()) FItems.reserve(FItems.size() + std::max<size_t>(FItems.size() / 4, 16));
    FItems.insert(FItems.begin() + Index, std::move(Item));
    SlotsShifted(Index);
}

template <typename Slot> Slot TObjectSequence<Slot>::EraseSlot(int32_t Index) {
    Slot s = std::move(SlotAt(Index));
    FItems.erase(FItems.begin() + Index);
    // Taking one out may have ended the only break in the order.
    if (FZSorted == 0) FZSorted = -1;
    SlotsShifted(Index);
    return s;
}

template <typename Slot> void TObjectSequence<Slot>::SaveToStream(TStream& Stream) {
    const int32_t n = Count();
    for (int32_t i = 0; i < n; ++i) {
        TvlObject* o = Get(i);
        if (o && !o->Generator().RTOptions().Contains(TRuntimeOption::roDontSave))
            o->Persist(&Stream, TPstMode::pstSave);
    }
}

template <typename Slot> void TObjectSequence<Slot>::AllObjects(TAllObjectsProc Action) {
    const int32_t n = Count();
    for (int32_t i = 0; i < n; ++i)
        if (TvlObject* o = Get(i)) Action(o);
}

template <typename Slot> void TObjectSequence<Slot>::AllObjectsBack(TAllObjectsProc Action) {
    for (int32_t i = Count() - 1; i >= 0; --i)
        if (TvlObject* o = Get(i)) Action(o);
}

template <typename Slot> int32_t TObjectSequence<Slot>::AddIndex(const TvlObject& Item) const {
    if (State.Contains(TListFlag::lsZOrder) && Count() > 0)
        if (const int32_t z = ZOrderOf(Item); z != 0) return FindZIndex(z);
    return Count();
}

template <typename Slot> bool TObjectSequence<Slot>::ZSorted() const {
    if (FZEpoch != TCustomGenerator::GeometryEpoch()) FZSorted = -1;
    if (FZSorted < 0) {
        FZEpoch = TCustomGenerator::GeometryEpoch();
        FZSorted = 1;
        for (size_t i = 0; i < FItems.size() && FZSorted; ++i) {
            const TvlObject* o = Raw(FItems[i]);
            if (!o || (i > 0 && ZOrderOf(*Raw(FItems[i - 1])) < ZOrderOf(*o))) FZSorted = 0;
        }
    }
    return FZSorted == 1;
}

template <typename Slot> int32_t TObjectSequence<Slot>::FindZIndex(int32_t Z) const {
    // Inserting by ZOrder keeps the list sorted, so bulk insertion bisects.
    if (ZSorted()) {
        const auto it = std::partition_point(FItems.begin(), FItems.end(),
                                             [Z](const Slot& s) { return ZOrderOf(*Raw(s)) >= Z; });
        return static_cast<int32_t>(it - FItems.begin());
    }
    const int32_t n = Count();
    for (int32_t i = 0; i < n; ++i) {
        const TvlObject* o = Get(i);
        if (o && ZOrderOf(*o) < Z) return i;
    }
    return n;
}

// ---- Cyclic searches --------------------------------------------------------

template <typename Slot>
int32_t TObjectSequence<Slot>::ForwardSearch(TFirstObjectFunc Condition, bool& SecondPass) const {
    SecondPass = false;
    const int32_t n = Count();
    const int32_t s = Start();
    for (int32_t i = s; i < n; ++i)
        if (TvlObject* o = Get(i); o && Condition(o)) return i;
    if (s == 0) return -1;
    SecondPass = true;
    for (int32_t i = 0; i < s; ++i)
        if (TvlObject* o = Get(i); o && Condition(o)) return i;
    return -1;
}

template <typename Slot>
int32_t TObjectSequence<Slot>::BackwardSearch(TFirstObjectFunc Condition, bool& SecondPass) const {
    SecondPass = false;
    const int32_t n = Count();
    const int32_t s = Start();
    for (int32_t i = (s < 1 ? n : s) - 1; i >= 0; --i)
        if (TvlObject* o = Get(i); o && Condition(o)) return i;
    if (s < 1) return -1;
    SecondPass = true;
    for (int32_t i = n - 1; i >= s; --i)
        if (TvlObject* o = Get(i); o && Condition(o)) return i;
    return -1;
}

template <typename Slot> TvlObject* TObjectSequence<Slot>::FirstObjectWith(TFirstObjectFunc Condition) {
    if (Count() == 0) return nullptr;
    bool wrapped = false;
    const int32_t i = ForwardSearch(Condition, wrapped);
    FStartIndex = 0;
    return i >= 0 ? Get(i) : nullptr;
}

template <typename Slot> int32_t TObjectSequence<Slot>::FirstIndexWith(TFirstObjectFunc Condition) {
    if (Count() == 0) return -1;
    bool wrapped = false;
    const int32_t i = ForwardSearch(Condition, wrapped);
    if (wrapped) FStartIndex = 0;
    return i;
}

template <typename Slot> TvlObject* TObjectSequence<Slot>::LastObjectWith(TFirstObjectFunc Condition) {
    const int32_t i = LastIndexWith(Condition);
    return i >= 0 ? Get(i) : nullptr;
}

template <typename Slot> int32_t TObjectSequence<Slot>::LastIndexWith(TFirstObjectFunc Condition) {
    if (Count() == 0) return -1;
    bool wrapped = false;
    const int32_t i = BackwardSearch(Condition, wrapped);
    if (wrapped) FStartIndex = 0;
    return i;
}

template class TObjectSequence<TvlObject*>;
template class TObjectSequence<std::unique_ptr<TvlObject>>;

} // namespace vl

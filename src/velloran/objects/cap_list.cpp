#include "velloran/objects/cap_list.h"

#include "velloran/generators/custom_generator.h"
#include "velloran/objects/object.h"

namespace vl {

int32_t TCapList::ZOrderOf(const TvlObject& Item) { return Item.Generator().ZOrder(); }

void TCapList::SaveToStream(TStream& Stream) {
    const int32_t n = Count();
    for (int32_t i = 0; i < n; ++i) {
        TvlObject* o = Get(i);
        if (o && !o->Generator().RTOptions().Contains(TRuntimeOption::roDontSave))
            o->Persist(&Stream, TPstMode::pstSave);
    }
}

void TCapList::AllObjects(TAllObjectsProc Action) {
    const int32_t n = Count();
    for (int32_t i = 0; i < n; ++i)
        if (TvlObject* o = Get(i)) Action(o);
}

void TCapList::AllObjectsBack(TAllObjectsProc Action) {
    for (int32_t i = Count() - 1; i >= 0; --i)
        if (TvlObject* o = Get(i)) Action(o);
}

int32_t TCapList::Add(TvlObject* Item) {
    if (State.Contains(TListFlag::lsZOrder) && Count() > 0) {
        const int32_t z = ZOrderOf(*Item);
        if (z != 0) {
            const int32_t i = FindZIndex(z);
            Insert(i, Item);
            return i;
        }
    }
    return TPointerList::Add(Item);
}

int32_t TCapList::FindZIndex(int32_t Z) const {
    const int32_t n = Count();
    for (int32_t i = 0; i < n; ++i) {
        const TvlObject* o = Get(i);
        if (o && ZOrderOf(*o) < Z) return i;
    }
    return n;
}

void TCapList::SetStartIndex(int32_t Value) { FStartIndex = Value >= 0 && Value < Count() ? Value : 0; }

// ---- Cyclic searches --------------------------------------------------------

int32_t TCapList::ForwardSearch(TFirstObjectFunc Condition, bool& SecondPass) const {
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

int32_t TCapList::BackwardSearch(TFirstObjectFunc Condition, bool& SecondPass) const {
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

TvlObject* TCapList::FirstObjectWith(TFirstObjectFunc Condition) {
    if (Count() == 0) return nullptr;
    bool wrapped = false;
    const int32_t i = ForwardSearch(Condition, wrapped);
    FStartIndex = 0;
    return i >= 0 ? Get(i) : nullptr;
}

int32_t TCapList::FirstIndexWith(TFirstObjectFunc Condition) {
    if (Count() == 0) return -1;
    bool wrapped = false;
    const int32_t i = ForwardSearch(Condition, wrapped);
    if (wrapped) FStartIndex = 0;
    return i;
}

TvlObject* TCapList::LastObjectWith(TFirstObjectFunc Condition) {
    const int32_t i = LastIndexWith(Condition);
    return i >= 0 ? Get(i) : nullptr;
}

int32_t TCapList::LastIndexWith(TFirstObjectFunc Condition) {
    if (Count() == 0) return -1;
    bool wrapped = false;
    const int32_t i = BackwardSearch(Condition, wrapped);
    if (wrapped) FStartIndex = 0;
    return i;
}

} // namespace vl

#include "velloran/platform/pointer_list.h"

#include <algorithm>

#include "velloran/foundations/errors.h"

namespace vl {

void TList::CheckIndex(int32_t Index) const {
    if (Index < 0 || Index >= Count()) RaiseListError(SListIndexError, Index);
}

void TList::SetCount(int32_t Value) {
    if (Value < 0) RaiseListError(SListCountError, Value);
    FItems.resize(static_cast<size_t>(Value), nullptr);
}

void TList::SetCapacity(int32_t Value) {
    if (Value < Count()) RaiseListError(SListCapacityError, Value);
    if (Value > Capacity()) FItems.reserve(static_cast<size_t>(Value));
    else FItems.shrink_to_fit();
}

int32_t TList::Add(void* Item) {
    FItems.push_back(Item);
    return Count() - 1;
}

void TList::Insert(int32_t Index, void* Item) {
    if (Index < 0 || Index > Count()) RaiseListError(SListIndexError, Index);
    FItems.insert(FItems.begin() + Index, Item);
}

void* TList::Get(int32_t Index) const {
    CheckIndex(Index);
    return FItems[static_cast<size_t>(Index)];
}

void TList::Put(int32_t Index, void* Item) {
    CheckIndex(Index);
    FItems[static_cast<size_t>(Index)] = Item;
}

int32_t TList::IndexOf(const void* Item) const {
    const auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<int32_t>(it - FItems.begin());
}

int32_t TList::Remove(const void* Item) {
    const int32_t i = IndexOf(Item);
    if (i >= 0) Delete(i);
    return i;
}

void* TList::Extract(const void* Item) {
    const int32_t i = IndexOf(Item);
    if (i < 0) return nullptr;
    void* result = FItems[static_cast<size_t>(i)];
    Delete(i);
    return result;
}

void TList::Delete(int32_t Index) {
    CheckIndex(Index);
    FItems.erase(FItems.begin() + Index);
}

void TList::Exchange(int32_t Index1, int32_t Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(FItems[static_cast<size_t>(Index1)], FItems[static_cast<size_t>(Index2)]);
}

void TList::Move(int32_t CurIndex, int32_t NewIndex) {
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    if (CurIndex == NewIndex) return;
    void* item = FItems[static_cast<size_t>(CurIndex)];
    FItems.erase(FItems.begin() + CurIndex);
    FItems.insert(FItems.begin() + NewIndex, item);
}

void TList::Pack() { FItems.erase(std::remove(FItems.begin(), FItems.end(), nullptr), FItems.end()); }

void TList::Clear() {
    FItems.clear();
    FItems.shrink_to_fit();
}

} // namespace vl

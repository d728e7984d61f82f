#include "velloran/objects/cap_list.h"

namespace vl {

int32_t TCapList::Add(TvlObject* Item) {
    const int32_t i = AddIndex(*Item);
    InsertSlot(i, Item);
    return i;
}

int32_t TCapList::Append(TvlObject* Item) {
    FItems.push_back(Item);
    return Count() - 1;
}

int32_t TCapList::Remove(const TvlObject* Item) {
    const int32_t i = IndexOf(Item);
    if (i >= 0) Delete(i);
    return i;
}

void TCapList::Clear() {
    FItems.clear();
    FItems.shrink_to_fit();
}

} // namespace vl

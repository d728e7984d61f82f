#include "velloran/text/break_list.h"

#include <cstring>

#include "velloran/foundations/errors.h"
#include "velloran/foundations/transfer.h"

namespace vl {

int16_t TBreakList::GetItems(int32_t Index) const {
    int16_t v;
    std::memcpy(&v, Get(Index), sizeof v);
    return v;
}

void TBreakList::Persist(TStream& Stream, TPstMode Mode) {
    TRecordList::Persist(Stream, Mode);
    if (!IsWriting(Mode) && !IsReading(Mode)) return;
    TTransfer(Stream, Mode).Value(FRefIdx);
}

std::unique_ptr<TBreakList> TBreakList::CreateFromStream(TStream& Stream, int32_t TextLength, TPstMode Mode) {
    auto list = std::make_unique<TBreakList>();
    // A list that does not fit its own counts is a damaged record.
    try {
        list->Persist(Stream, Mode);
    } catch (const EListError&) {
        RaiseReadError();
    }
    if (list->RecSize() != 2) RaiseReadError();
    int32_t last = 0;
    for (int32_t i = 0; i < list->Count(); ++i) {
        const int32_t v = list->GetItems(i);
        if (v <= last || v > TextLength) RaiseReadError();
        last = v;
    }
    // The reference line only picks which line sets the width.
    if (list->FRefIdx < 0 || list->FRefIdx > list->Count()) list->FRefIdx = 0;
    return list;
}

} // namespace vl

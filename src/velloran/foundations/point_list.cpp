#include "velloran/foundations/point_list.h"

#include "velloran/foundations/stream.h"

namespace vl {

std::unique_ptr<TPointList> TPointList::CreateFromStream(TStream& stream) {
    auto list = std::make_unique<TPointList>();
    list->Persist(stream, TPstMode::pstLoad);
    return list;
}

TPoint& TPointList::Slot(int32_t Index) {
    if (Index >= Count()) {
        if (Index >= MaxCapacity()) Error(SListCountError, int64_t{Index} + 1);
        SetCount(Index + 1);
    }
    return *static_cast<TPoint*>(Get(Index));
}

void TPointList::SetPoints(int32_t Index, TPoint Value) { Slot(Index) = Value; }
void TPointList::SetPointX(int32_t Index, int32_t Value) { Slot(Index).X = Value; }
void TPointList::SetPointY(int32_t Index, int32_t Value) { Slot(Index).Y = Value; }

void TPointList::Persist(TStream& stream, TPstMode mode) {
    if (IsReading(mode)) {
        // Peek at the stored record size: a list of anything else is not points.
        const int64_t start = stream.Position();
        const uint16_t recSize = stream.ReadUInt16();
        stream.SetPosition(start);
        if (recSize != sizeof(TPoint)) RaiseReadError();
    }
    TRecordList::Persist(stream, mode);
}

} // namespace vl

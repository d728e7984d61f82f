#pragma once
// A record list of points (two 32-bit integers, 8 bytes each).

#include <memory>

#include "velloran/foundations/record_list.h"
#include "velloran/foundations/types.h"

namespace vl {

/// A record list of points, 8 bytes each.
class TPointList : public TRecordList {
public:
    TPointList() : TRecordList(sizeof(TPoint)) {}
    /// Reads a stored point list; any other stored record size is a format error.
    static std::unique_ptr<TPointList> CreateFromStream(TStream& stream);

    int32_t Add(TPoint Value) { return TRecordList::Add(&Value); }
    void Insert(int32_t Index, TPoint aPoint) { TRecordList::Insert(Index, &aPoint); }

    TPoint GetPoints(int32_t Index) const { return *static_cast<const TPoint*>(Get(Index)); }
    /// Writing past the end first extends the list with zero points.
    void SetPoints(int32_t Index, TPoint Value);
    int32_t GetPointX(int32_t Index) const { return GetPoints(Index).X; }
    int32_t GetPointY(int32_t Index) const { return GetPoints(Index).Y; }
    void SetPointX(int32_t Index, int32_t Value);
    void SetPointY(int32_t Index, int32_t Value);

    TPoint First() const { return GetPoints(0); }
    TPoint Last() const { return GetPoints(Count() - 1); }
    int32_t IndexOf(TPoint aPoint) const { return TRecordList::IndexOf(&aPoint); }

    void Persist(TStream& stream, TPstMode mode) override;

private:
    TPoint& Slot(int32_t Index);
};

static_assert(sizeof(TPoint) == 8);

} // namespace vl

#include "velloran/foundations/point_buffer.h"

#include "velloran/foundations/errors.h"

namespace vl {

TPointBuffer NewPoly(int32_t count) {
    if (count < 0 || count > MaxPointArray) RaiseListError(SListCountError, count);
    return TPointBuffer(new TPoint[static_cast<size_t>(count)]);
}

void DeletePoly(TPointBuffer& buffer) { buffer.reset(); }

} // namespace vl

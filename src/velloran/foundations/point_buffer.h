#pragma once
// Point buffers: exactly as many points as they hold, never more than
// MaxPointArray, owned by whoever asked for them.

#include <cstdint>
#include <memory>

#include "velloran/foundations/types.h"

namespace vl {

using TPointBuffer = std::unique_ptr<TPoint[]>;

/// count zero points, 0 <= count <= MaxPointArray (else the list count error).
TPointBuffer NewPoly(int32_t count);
/// Releases the buffer; it is null afterwards.
void DeletePoly(TPointBuffer& buffer);

} // namespace vl

#pragma once
// The corner of the view at which the world origin lies.

#include <cstdint>

namespace vl {

/// The corner of the view at which the world origin lies.
/// Center maps like LeftTop; only callers that position by corner tell them apart.
enum class TOrigin : uint8_t { LeftTop, LeftBottom, RightTop, RightBottom, Center };

} // namespace vl

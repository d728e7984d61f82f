#pragma once
// Coordinates near the 32-bit limits. A stored position may hold any 32-bit
// value, so sums and differences of positions and extents saturate at the
// limits instead of wrapping: a far-off object stays far off.

#include <cstdint>

namespace vl {

constexpr int32_t Saturate(int64_t v) {
    return v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : static_cast<int32_t>(v);
}
constexpr int32_t AddSat(int32_t a, int32_t b) { return Saturate(int64_t{a} + b); }
constexpr int32_t SubSat(int32_t a, int32_t b) { return Saturate(int64_t{a} - b); }
constexpr int32_t NegSat(int32_t a) { return Saturate(-int64_t{a}); }

} // namespace vl

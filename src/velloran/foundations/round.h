#pragma once
// The one rounding rule of the library: nearest integer, exact halves to the
// even neighbour. Values beyond the 32-bit range saturate instead of invoking
// undefined behaviour.

#include <cmath>
#include <cstdint>

namespace vl {

inline int32_t Round(double v) {
    const double r = std::nearbyint(v); // default rounding mode: halves to even
    if (!(r >= -2147483648.0)) return r != r ? 0 : INT32_MIN;
    if (r > 2147483647.0) return INT32_MAX;
    return static_cast<int32_t>(r);
}

inline int64_t Round64(double v) {
    const double r = std::nearbyint(v);
    if (!(r >= -9223372036854775808.0)) return r != r ? 0 : INT64_MIN;
    if (r >= 9223372036854775808.0) return INT64_MAX;
    return static_cast<int64_t>(r);
}

/// Truncation toward zero, saturating like Round.
inline int32_t Trunc(double v) {
    if (!(v >= -2147483648.0)) return v != v ? 0 : INT32_MIN;
    if (v > 2147483647.0) return INT32_MAX;
    return static_cast<int32_t>(v);
}

} // namespace vl

#pragma once
// Little-endian byte access for in-memory images (metafile records, DIBs),
// where a TStream would only add copying, and the saturating sums that
// values taken from such images need.

#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "velloran/foundations/saturate.h"

namespace vl::bytes {

inline uint32_t U32(std::span<const uint8_t> b, size_t at) {
    if (at > b.size() || b.size() - at < 4) return 0;
    return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
           static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
inline int32_t I32(std::span<const uint8_t> b, size_t at) {
    return static_cast<int32_t>(U32(b, at));
}
inline uint16_t U16(std::span<const uint8_t> b, size_t at) {
    if (at > b.size() || b.size() - at < 2) return 0;
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}
inline int16_t I16(std::span<const uint8_t> b, size_t at) {
    return static_cast<int16_t>(U16(b, at));
}

inline int32_t Sat(int64_t v) {
    return Saturate(v);
}
inline int32_t Add(int32_t a, int64_t b) {
    return Sat(a + b);
}

inline void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
inline void PutI32(std::vector<uint8_t>& out, int32_t v) {
    PutU32(out, static_cast<uint32_t>(v));
}
inline void PutU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void PutF32(std::vector<uint8_t>& out, float v) {
    uint32_t u;
    std::memcpy(&u, &v, 4);
    PutU32(out, u);
}
inline void SetU32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

} // namespace vl::bytes

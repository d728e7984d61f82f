#pragma once
// TPackedLimits: an object's stored limits in ten bytes, so a drawing of a
// million objects keeps them at little cost. The corner takes 24 bits a
// coordinate, width and height 16 each. A box that does not fit, and an
// empty one, reads back empty: the index keeps such an object among every
// search's candidates.

#include <cstdint>

#include "velloran/foundations/types.h"

namespace vl {

/// An object's stored limits in ten bytes; what does not fit reads back empty.
class TPackedLimits {
public:
    TPackedLimits() = default;
    explicit TPackedLimits(const TLimRec& L) { Set(L); }

    void Set(const TLimRec& L) {
        const int64_t w = int64_t{L.Xmax} - L.Xmin, h = int64_t{L.Ymax} - L.Ymin;
        if (w < 0 || h < 0 || w >= Unbounded || h >= Unbounded || !InReach(L.Xmin) || !InReach(L.Ymin)) {
            *this = TPackedLimits();
            return;
        }
        const auto x = static_cast<uint32_t>(L.Xmin), y = static_cast<uint32_t>(L.Ymin);
        FXlo = static_cast<uint16_t>(x);
        FYlo = static_cast<uint16_t>(y);
        FXhi = static_cast<uint8_t>(x >> 16);
        FYhi = static_cast<uint8_t>(y >> 16);
        FW = static_cast<uint16_t>(w);
        FH = static_cast<uint16_t>(h);
    }

    TLimRec Get() const {
        if (FW == Unbounded) return {EmptyLimMin, EmptyLimMin, EmptyLimMax, EmptyLimMax};
        const int32_t x = Widen(FXhi, FXlo), y = Widen(FYhi, FYlo);
        return {x, y, x + FW, y + FH};
    }

    /// Whether the box meets A; an empty box meets nothing. Decided on the
    /// first axis that misses, as the index asks it of every neighbour.
    bool Meets(const TLimRec& A) const {
        if (FW == Unbounded) return false;
        const int32_t x = Widen(FXhi, FXlo);
        if (x > A.Xmax || x + FW < A.Xmin) return false;
        const int32_t y = Widen(FYhi, FYlo);
        return y <= A.Ymax && y + FH >= A.Ymin;
    }

    bool operator==(const TPackedLimits&) const = default;

private:
    static constexpr int32_t Reach = 1 << 23;
    static constexpr uint16_t Unbounded = 0xFFFF;
    static bool InReach(int32_t v) { return v >= -Reach && v < Reach; }
    /// The 24 bits back to a signed value.
    static int32_t Widen(uint8_t Hi, uint16_t Lo) {
        const auto u = static_cast<int32_t>((uint32_t{Hi} << 16) | Lo);
        return u >= Reach ? u - 2 * Reach : u;
    }

    uint16_t FXlo = 0;
    uint16_t FYlo = 0;
    uint8_t FXhi = 0;
    uint8_t FYhi = 0;
    uint16_t FW = Unbounded;
    uint16_t FH = Unbounded;
};
static_assert(sizeof(TPackedLimits) == 10);

} // namespace vl

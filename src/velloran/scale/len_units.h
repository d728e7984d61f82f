#pragma once
// Units of length for logical and world coordinates.

#include <cstdint>

namespace vl {

/// Units of length for logical and world coordinates.
enum class TLenUnits : uint8_t { Meter, dm, cm, mm, mm_10, Pixel };

/// Decimal exponent of a unit: one unit is 10^-UnitExponent metres. Pixel is
/// treated as a whole unit, since a pixel has no length of its own.
constexpr int32_t UnitExponent(TLenUnits u) {
    switch (u) {
    case TLenUnits::dm: return 1;
    case TLenUnits::cm: return 2;
    case TLenUnits::mm: return 3;
    case TLenUnits::mm_10: return 4;
    default: return 0;
    }
}

/// Metres per unit.
constexpr double UnitLength(TLenUnits u) {
    constexpr double len[] = {1.0, 0.1, 0.01, 0.001, 0.0001};
    return len[UnitExponent(u)];
}

/// Units per metre.
constexpr int32_t UnitsPerMeter(TLenUnits u) {
    constexpr int32_t n[] = {1, 10, 100, 1000, 10000};
    return n[UnitExponent(u)];
}

} // namespace vl

#pragma once
// Screen cursors by number. Negative numbers are the platform's stock
// cursors; positive numbers are cursors an application or this library
// registers (RegisterCursor in services.h).

#include <cstdint>
#include <vector>

#include "velloran/foundations/types.h"

namespace vl {

using TCursor = int16_t;

inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;
/// The library's own cursors: the rotation cursor of the creators and the
/// small cross of the draw box.
inline constexpr TCursor crRotate = 12;
inline constexpr TCursor crSmallCross = 13;

/// A cursor image: Width x Height pixels, row 0 at the top. Pixels holds one
/// byte per pixel: 0 transparent, 1 black, 2 white.
struct TCursorImage {
    int32_t Width = 0;
    int32_t Height = 0;
    TPoint HotSpot;
    std::vector<uint8_t> Pixels;
};

/// Images of the library's own cursors (crRotate, crSmallCross); an empty
/// image for any other number.
TCursorImage LibraryCursorImage(TCursor Cursor);

} // namespace vl

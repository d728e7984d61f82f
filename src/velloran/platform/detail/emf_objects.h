#pragma once
// Values the metafile records store for raster operations, stock objects and
// clipping modes, shared by the recorder and the player.

#include <cstdint>

#include "velloran/platform/drawing_tools.h"

namespace vl::emf {

// Binary raster operation per TPenMode ordinal.
inline constexpr uint32_t Rop2OfPenMode[16] = {1,  16, 11, 6, 13, 4, 14, 5,
                                               12, 3,  15, 2, 9,  8, 7,  10};
inline constexpr uint32_t R2_COPYPEN = 13;
inline TPenMode PenModeOfRop2(uint32_t rop2) {
    for (uint8_t i = 0; i < 16; ++i)
        if (Rop2OfPenMode[i] == rop2) return static_cast<TPenMode>(i);
    return TPenMode::pmCopy;
}

inline constexpr uint32_t StockObject = 0x80000000;
inline constexpr uint32_t WHITE_BRUSH = 0, LTGRAY_BRUSH = 1, GRAY_BRUSH = 2, DKGRAY_BRUSH = 3,
                          BLACK_BRUSH = 4, NULL_BRUSH = 5, WHITE_PEN = 6, BLACK_PEN = 7,
                          NULL_PEN = 8, OEM_FIXED_FONT = 10, DEFAULT_GUI_FONT = 17;

inline constexpr uint32_t BS_SOLID = 0, BS_NULL = 1, BS_HATCHED = 2;
inline constexpr uint32_t TRANSPARENT = 1, OPAQUE = 2;
inline constexpr uint32_t RGN_AND = 1, RGN_COPY = 5;
inline constexpr uint32_t SRCCOPY = 0x00CC0020, PATCOPY = 0x00F00021, BLACKNESS = 0x00000042,
                          WHITENESS = 0x00FF0062;
inline constexpr uint32_t DIB_RGB_COLORS = 0;
inline constexpr uint32_t GM_COMPATIBLE = 1;
inline constexpr uint32_t RDH_RECTANGLES = 1;

} // namespace vl::emf

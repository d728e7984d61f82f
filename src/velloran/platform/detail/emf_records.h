#pragma once
// Record types of the enhanced metafile format, as the recorded drawings use them.

#include <cstdint>

namespace vl::emr {

inline constexpr uint32_t HEADER = 1;
inline constexpr uint32_t POLYBEZIER = 2;
inline constexpr uint32_t POLYGON = 3;
inline constexpr uint32_t POLYLINE = 4;
inline constexpr uint32_t POLYBEZIERTO = 5;
inline constexpr uint32_t POLYLINETO = 6;
inline constexpr uint32_t POLYPOLYLINE = 7;
inline constexpr uint32_t POLYPOLYGON = 8;
inline constexpr uint32_t SETWINDOWEXTEX = 9;
inline constexpr uint32_t SETWINDOWORGEX = 10;
inline constexpr uint32_t SETVIEWPORTEXTEX = 11;
inline constexpr uint32_t SETVIEWPORTORGEX = 12;
inline constexpr uint32_t EOF_ = 14;
inline constexpr uint32_t SETPIXELV = 15;
inline constexpr uint32_t SETMAPMODE = 17;
inline constexpr uint32_t SETBKMODE = 18;
inline constexpr uint32_t SETPOLYFILLMODE = 19;
inline constexpr uint32_t SETROP2 = 20;
inline constexpr uint32_t SETTEXTALIGN = 22;
inline constexpr uint32_t SETTEXTCOLOR = 24;
inline constexpr uint32_t SETBKCOLOR = 25;
inline constexpr uint32_t MOVETOEX = 27;
inline constexpr uint32_t INTERSECTCLIPRECT = 30;
inline constexpr uint32_t SAVEDC = 33;
inline constexpr uint32_t RESTOREDC = 34;
inline constexpr uint32_t SELECTOBJECT = 37;
inline constexpr uint32_t CREATEPEN = 38;
inline constexpr uint32_t CREATEBRUSHINDIRECT = 39;
inline constexpr uint32_t DELETEOBJECT = 40;
inline constexpr uint32_t ELLIPSE = 42;
inline constexpr uint32_t RECTANGLE = 43;
inline constexpr uint32_t ROUNDRECT = 44;
inline constexpr uint32_t ARC = 45;
inline constexpr uint32_t CHORD = 46;
inline constexpr uint32_t PIE = 47;
inline constexpr uint32_t LINETO = 54;
inline constexpr uint32_t FILLRGN = 71;
inline constexpr uint32_t FRAMERGN = 72;
inline constexpr uint32_t EXTSELECTCLIPRGN = 75;
inline constexpr uint32_t BITBLT = 76;
inline constexpr uint32_t STRETCHBLT = 77;
inline constexpr uint32_t STRETCHDIBITS = 81;
inline constexpr uint32_t EXTCREATEFONTINDIRECTW = 82;
inline constexpr uint32_t EXTTEXTOUTW = 84;
inline constexpr uint32_t POLYGON16 = 86;
inline constexpr uint32_t POLYLINE16 = 87;
inline constexpr uint32_t POLYPOLYLINE16 = 90;

} // namespace vl::emr

#pragma once
// Reading the records of a metafile and the geometry they carry. Every
// accessor stays inside the record's bytes, so a changed or foreign record
// yields empty results rather than stray reads.

#include <cstdint>
#include <vector>

#include "velloran/platform/metafile.h"

namespace vl {

// The records in order, header and end record included (views into mf's data).
std::vector<TEmfRecord> EmfRecords(const TMetafile& mf);
// Points of the poly records (all polylines of the poly-poly records in
// order, 16-bit variants widened), of MOVETOEX, LINETO and SETPIXELV.
std::vector<TPoint> EmfPoints(const TEmfRecord& r);
// Per-polyline counts of POLYPOLYLINE, POLYPOLYGON and POLYPOLYLINE16.
std::vector<uint32_t> EmfPolyCounts(const TEmfRecord& r);
// A rectangle stored at offset (the box of ELLIPSE, RECTANGLE, ROUNDRECT,
// ARC, CHORD, PIE and INTERSECTCLIPRECT is at 8).
TRect EmfRect(const TEmfRecord& r, size_t offset = 8);
// Text and reference point of an EXTTEXTOUTW record.
String EmfText(const TEmfRecord& r);
TPoint EmfTextOrigin(const TEmfRecord& r);

// Byte offsets inside an EXTTEXTOUTW record.
namespace emrtext {
inline constexpr size_t Reference = 36;
inline constexpr size_t Chars = 44;
inline constexpr size_t OffString = 48;
inline constexpr size_t Options = 52;
inline constexpr size_t Rect = 56;
inline constexpr size_t OffDx = 72;
inline constexpr size_t Size = 76; // fixed part
} // namespace emrtext

} // namespace vl

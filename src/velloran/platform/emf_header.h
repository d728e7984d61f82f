#pragma once
// The header record of an enhanced metafile: its fields and their layout.

#include <cstdint>
#include <span>
#include <vector>

#include "velloran/foundations/types.h"

namespace vl {

/// The header record of an enhanced metafile.
struct TEmfHeader {
    TRect Bounds;         // device pixels, inclusive
    TRect Frame;          // 0.01 mm, inclusive
    uint32_t Bytes = 0;   // whole metafile
    uint32_t Records = 0; // including header and end record
    uint16_t Handles = 1; // object table size, slot 0 included
    TSize DevicePixels;
    TSize DeviceMillimeters;
    TSize DeviceMicrometers;
};

inline constexpr uint32_t EmfHeaderSize = 108;
inline constexpr uint32_t EmfSignature = 0x464D4520; // " EMF"
inline constexpr uint32_t EmfEofSize = 20;

/// Appends the 108-byte header record.
void WriteEmfHeader(std::vector<uint8_t>& out, const TEmfHeader& h);
/// Reads the fields of a header record; the record must hold at least 88 bytes.
TEmfHeader ReadEmfHeader(std::span<const uint8_t> record);
/// The frame (0.01 mm, inclusive) of device-pixel bounds on a device of the
/// given size; empty bounds give an empty frame.
TRect EmfFrameOfBounds(const TRect& bounds, TSize pixels, TSize micrometers);
/// Appends the end record.
void WriteEmfEof(std::vector<uint8_t>& out);

} // namespace vl

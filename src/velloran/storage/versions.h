#pragma once
// Version numbers of streams and applications: reading the header of a
// drawing stream in any of its generations, and showing versions as text.

#include <cstdint>

#include "velloran/foundations/types.h"
#include "velloran/storage/file_header.h"

namespace vl {

class TStream;

/// Components of an application version, one byte each (|v| is used).
int16_t GetMajorVersion(int32_t v);
int16_t GetMinorVersion(int32_t v);
int16_t GetVersionRelease(int32_t v);
int16_t GetVersionBuild(int32_t v);
/// "1.2.3.4" from the bytes of an application version.
String GetVersionString(int32_t v);
/// "4.6.3.1" from the hexadecimal digits of a format version.
String GetVersionString(int16_t v);

/// Each hexadecimal digit of a 16-bit version becomes one byte: 0x1234 gives
/// 0x01020304.
uint32_t WidenVersion(uint16_t v);

/// The header a stream without one is read with (version 1.2.0.0).
TvlFileHeader HeaderlessFileHeader();

/// Reads the 8-byte header of 2.0.0.4 up to 4.5.0.0 into Header, widened.
void ReadOldFileHeader(TStream& Stream, TvlFileHeader& Header);

/// Reads whichever header the stream has, in whichever generation, and
/// leaves the stream at the first byte after it (at its start when it has
/// none). Short streams raise the read error.
TvlFileHeader ReadAnyFileHeader(TStream& Stream);

/// Writes the 16 header bytes.
void WriteFileHeader(TStream& Stream, const TvlFileHeader& Header);

} // namespace vl

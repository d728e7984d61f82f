#pragma once
// The header that governs every version-dependent reader and writer, and the
// version tests made against it. The file routines (SaveToFile, LoadFromFile,
// the creator map, TvlApplication) are completed by the document work.

#include <cstdint>

#include "velloran/foundations/scoped_value.h"

namespace vl {

/// The header of a drawing stream.
/// 16 bytes on the stream; Velloran holds the negated format version.
struct TvlFileHeader {
    int16_t Velloran = 0;
    int16_t Reserved = 0;
    uint32_t AppID = 0;
    uint32_t AppVersion = 0;
    int32_t HostVersion = 0;
};

/// The 8-byte header of streams from 2.0.0.4 up to 4.5.0.0.
struct TOldHeader {
    int16_t Velloran = 0;
    int16_t AppID = 0;
    int16_t AppVersion = 0;
    int16_t HostVersion = 0;
};

/// The library's own format version (4.6.3.1).
inline int16_t ThisVersion = 0x4631;
inline int32_t ThisAppID = 0;
inline int32_t ThisAppVersion = 0x01000000;
/// Texts are UTF-16 from this host version on, 8-bit ANSI before it.
inline constexpr int32_t UnicodeHostVersion = 0x09000000;
inline constexpr int32_t ThisHostVersion = 0x15000000;

inline TvlFileHeader FileHeader;

/// The header this library writes.
TvlFileHeader OwnFileHeader();
/// FileHeader := OwnFileHeader().
void SetFileHeader();

/// Installs a header (by default the library's own) for one scope.
class TFileHeaderScope : TScopedValue<TvlFileHeader> {
public:
    explicit TFileHeaderScope(const TvlFileHeader& Header = OwnFileHeader()) : TScopedValue(FileHeader, Header) {}
};
/// The stream's version is at least v.
bool vlFileVersionSince(int32_t v);
/// The stream's version is below v.
bool vlFileVersionBefore(int32_t v);
bool hostFileVersionBefore(int32_t v);

} // namespace vl

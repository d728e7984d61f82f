#pragma once
// The library's own file header with an older format or host version, for
// tests of the readers of older streams (install it with TFileHeaderScope).

#include "velloran/storage/file_header.h"

namespace vl {

inline TvlFileHeader FormatVersion(int32_t Version) {
    TvlFileHeader h = OwnFileHeader();
    h.Velloran = static_cast<int16_t>(-Version);
    return h;
}

inline TvlFileHeader HostVersion(int32_t Version) {
    TvlFileHeader h = OwnFileHeader();
    h.HostVersion = Version;
    return h;
}

} // namespace vl

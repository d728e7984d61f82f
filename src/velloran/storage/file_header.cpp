#include "velloran/storage/file_header.h"

namespace vl {

TvlFileHeader OwnFileHeader() {
    return {static_cast<int16_t>(-ThisVersion), 0, static_cast<uint32_t>(ThisAppID),
            static_cast<uint32_t>(ThisAppVersion), ThisHostVersion};
}

void SetFileHeader() { FileHeader = OwnFileHeader(); }

bool vlFileVersionSince(int32_t v) { return FileHeader.Velloran <= -v; }
bool vlFileVersionBefore(int32_t v) { return FileHeader.Velloran > -v; }
bool hostFileVersionBefore(int32_t v) { return FileHeader.HostVersion < v; }

} // namespace vl

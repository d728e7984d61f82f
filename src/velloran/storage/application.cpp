#include "velloran/storage/application.h"

#include "velloran/storage/file_header.h"
#include "velloran/storage/versions.h"

namespace vl {

namespace {
constexpr int32_t DefaultAppVersion = 0x01000000;
bool Committed() { return ThisAppID >= 0; }
} // namespace

TvlApplication::TvlApplication() : FTmpAppID(ThisAppID), FTmpAppVersion(ThisAppVersion) { ThisAppID = -1; }

TvlApplication::~TvlApplication() {
    ThisAppID = 0;
    ThisAppVersion = DefaultAppVersion;
}

int32_t TvlApplication::AppID() const { return ThisAppID; }

void TvlApplication::SetAppID(int32_t Value) {
    if (Committed())
        ThisAppID = Value;
    else
        FTmpAppID = Value;
}

String TvlApplication::Version() const { return GetVersionString(ThisAppVersion); }

int32_t TvlApplication::AppVersion() const { return ThisAppVersion; }

void TvlApplication::SetAppVersion(int32_t Value) {
    ThisAppVersion = Value >= 0 && Value < 0x10000 ? static_cast<int32_t>(WidenVersion(static_cast<uint16_t>(Value)))
                                                   : Value;
}

T4Bit TvlApplication::VersionByte(int Byte) const {
    return static_cast<T4Bit>((static_cast<uint32_t>(ThisAppVersion) >> (8 * Byte)) & 255u);
}

void TvlApplication::SetVersionByte(int Byte, T4Bit Value) {
    // T4Bit holds 0..127.
    const uint32_t v = Value & 127u;
    int32_t& target = Committed() ? ThisAppVersion : FTmpAppVersion;
    const uint32_t mask = 255u << (8 * Byte);
    target = static_cast<int32_t>((static_cast<uint32_t>(target) & ~mask) | (v << (8 * Byte)));
}

int32_t TvlApplication::CommittedAppID() const { return Committed() ? ThisAppID : FTmpAppID; }

void TvlApplication::Commit() {
    if (Committed()) return;
    ThisAppID = FTmpAppID;
    ThisAppVersion = FTmpAppVersion;
}

} // namespace vl

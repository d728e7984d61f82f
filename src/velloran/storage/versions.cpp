#include "velloran/storage/versions.h"


#include "velloran/foundations/stream.h"

namespace vl {

namespace {
uint32_t Magnitude(int32_t v) { return v < 0 ? 0u - static_cast<uint32_t>(v) : static_cast<uint32_t>(v); }

void AppendNumber(String& s, uint32_t n) {
    const std::string d = std::to_string(n);
    s.append(d.begin(), d.end());
}
} // namespace

int16_t GetMajorVersion(int32_t v) { return static_cast<int16_t>(Magnitude(v) >> 24); }
int16_t GetMinorVersion(int32_t v) { return static_cast<int16_t>((Magnitude(v) >> 16) & 255); }
int16_t GetVersionRelease(int32_t v) { return static_cast<int16_t>((Magnitude(v) >> 8) & 255); }
int16_t GetVersionBuild(int32_t v) { return static_cast<int16_t>(Magnitude(v) & 255); }

String GetVersionString(int32_t v) {
    String s;
    const int16_t parts[] = {GetMajorVersion(v), GetMinorVersion(v), GetVersionRelease(v), GetVersionBuild(v)};
    for (int i = 0; i < 4; ++i) {
        if (i) s += u'.';
        AppendNumber(s, static_cast<uint32_t>(parts[i]));
    }
    return s;
}

String GetVersionString(int16_t v) {
    const auto u = static_cast<uint16_t>(v);
    String s;
    for (int shift = 12; shift >= 0; shift -= 4) {
        if (shift != 12) s += u'.';
        AppendNumber(s, (u >> shift) & 15u);
    }
    return s;
}

uint32_t WidenVersion(uint16_t v) {
    uint32_t r = 0;
    for (int d = 3; d >= 0; --d) r = (r << 8) | ((v >> (4 * d)) & 15u);
    return r;
}

TvlFileHeader HeaderlessFileHeader() {
    return {static_cast<int16_t>(-4608), 0, 0, 0, -8192};
}

void ReadOldFileHeader(TStream& Stream, TvlFileHeader& Header) {
    TOldHeader old;
    old.Velloran = Stream.ReadInt16();
    old.AppID = Stream.ReadInt16();
    old.AppVersion = Stream.ReadInt16();
    old.HostVersion = Stream.ReadInt16();
    Header = {old.Velloran, 0, static_cast<uint32_t>(int32_t{old.AppID}),
              WidenVersion(static_cast<uint16_t>(old.AppVersion)),
              static_cast<int32_t>(WidenVersion(static_cast<uint16_t>(old.HostVersion)))};
}

TvlFileHeader ReadAnyFileHeader(TStream& Stream) {
    const int64_t start = Stream.Position();
    // The first 16-bit value tells the generation; a positive one is already data.
    const int16_t first = Stream.ReadInt16();
    Stream.SetPosition(start);
    TvlFileHeader h;
    h.Velloran = first;
    if (h.Velloran > -0x2004) {
        return HeaderlessFileHeader();
    }
    if (h.Velloran > -0x4500) {
        ReadOldFileHeader(Stream, h);
        return h;
    }
    h.Velloran = Stream.ReadInt16();
    h.Reserved = Stream.ReadInt16();
    h.AppID = Stream.ReadUInt32();
    h.AppVersion = Stream.ReadUInt32();
    h.HostVersion = Stream.ReadInt32();
    return h;
}

void WriteFileHeader(TStream& Stream, const TvlFileHeader& Header) {
    Stream.WriteInt16(Header.Velloran);
    Stream.WriteInt16(0);
    Stream.WriteUInt32(Header.AppID);
    Stream.WriteUInt32(Header.AppVersion);
    Stream.WriteInt32(Header.HostVersion);
}

} // namespace vl

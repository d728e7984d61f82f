#include "velloran/foundations/stream_strings.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "velloran/foundations/errors.h"
#include "velloran/foundations/stream.h"

namespace vl {

// Code units are moved as raw memory: the host must match the stored byte order.
static_assert(std::endian::native == std::endian::little);

namespace {

// 0x80..0x9F of Windows-1252; the five unassigned bytes map to the C1 controls.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t AnsiChar(uint8_t b) { return b >= 0x80 && b <= 0x9F ? Cp1252High[b - 0x80] : char16_t(b); }

} // namespace

String AnsiToString(std::span<const uint8_t> bytes) {
    String s(bytes.size(), u'\0');
    std::transform(bytes.begin(), bytes.end(), s.begin(), AnsiChar);
    return s;
}

void SaveString(TStream& stream, const String& text) {
    if (text.size() > static_cast<size_t>(INT32_MAX)) RaiseWriteError();
    const auto n = static_cast<int32_t>(text.size());
    stream.WriteInt32(n);
    stream.WriteBuffer(text.data(), int64_t{n} * 2);
}

String LoadString_w(TStream& stream) {
    const int32_t n = stream.ReadInt32();
    if (n <= 0) return {};
    stream.CheckRemaining(int64_t{n} * 2);
    String s(static_cast<size_t>(n), u'\0');
    stream.ReadBuffer(s.data(), int64_t{n} * 2);
    return s;
}

String LoadStringAnsi(TStream& stream) {
    const int32_t n = stream.ReadInt32();
    if (n <= 0) return {};
    stream.CheckRemaining(n);
    std::vector<uint8_t> bytes(static_cast<size_t>(n));
    stream.ReadBuffer(bytes.data(), n);
    return AnsiToString(bytes);
}

void StreamReadAnsiString(TStream& stream, std::span<char16_t> Dest, int32_t Len) {
    if (Len < 0) return;
    const int64_t total = int64_t{Len} + 1;
    stream.CheckRemaining(total);
    std::vector<uint8_t> bytes(static_cast<size_t>(total));
    stream.ReadBuffer(bytes.data(), total);
    if (Dest.empty()) return;
    const auto text = std::span<const uint8_t>(bytes).first(static_cast<size_t>(Len));
    const size_t n = std::min<size_t>({static_cast<size_t>(std::find(text.begin(), text.end(), 0) - text.begin()),
                                        Dest.size() - 1});
    std::transform(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n), Dest.begin(), AnsiChar);
    Dest[n] = u'\0';
}

} // namespace vl

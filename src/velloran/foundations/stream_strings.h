#pragma once
// Texts on streams: a 32-bit length in UTF-16 code units, then the code units;
// older streams hold 8-bit text in the Windows-1252 code page.

#include <cstdint>
#include <span>

#include "velloran/foundations/types.h"

namespace vl {

class TStream;

void SaveString(TStream& stream, const String& text);
/// A stored length <= 0 gives the empty text.
String LoadString_w(TStream& stream);
String LoadStringAnsi(TStream& stream);
/// Reads exactly Len + 1 bytes of zero-terminated 8-bit text and copies the
/// text up to its first zero, at most Len characters, with a terminating zero
/// into Dest (which should hold Len + 1 characters; a shorter one is filled
/// as far as it goes).
void StreamReadAnsiString(TStream& stream, std::span<char16_t> Dest, int32_t Len);

/// 8-bit Windows-1252 text to UTF-16.
String AnsiToString(std::span<const uint8_t> bytes);

} // namespace vl

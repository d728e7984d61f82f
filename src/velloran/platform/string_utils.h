#pragma once
// Text conversions between the library's UTF-16 strings and UTF-8 (files,
// paths), and the case-insensitive comparison that component names use.

#include <string>
#include <string_view>

#include "velloran/foundations/types.h"

namespace vl {

/// Malformed input becomes U+FFFD, one per offending byte sequence.
String Utf8ToString(std::string_view Text);
/// Unpaired surrogates become U+FFFD.
std::string StringToUtf8(std::u16string_view Text);

/// Equal apart from the case of ASCII and Latin-1 letters.
bool SameText(std::u16string_view A, std::u16string_view B);

} // namespace vl

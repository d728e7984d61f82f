#include "velloran/platform/string_utils.h"

namespace vl {

namespace {

constexpr char16_t Replacement = 0xFFFD;

void AppendCodePoint(String& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

char16_t FoldCase(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
    // Latin-1 lower-case letters, except the division sign and y-diaeresis.
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
    return c;
}

} // namespace

String Utf8ToString(std::string_view Text) {
    String out;
    out.reserve(Text.size());
    const size_t n = Text.size();
    size_t i = 0;
    while (i < n) {
        const auto b0 = static_cast<unsigned char>(Text[i]);
        if (b0 < 0x80) {
            out.push_back(b0);
            ++i;
            continue;
        }
        size_t len = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if ((b0 & 0xE0) == 0xC0) { len = 2; cp = b0 & 0x1F; minimum = 0x80; }
        else if ((b0 & 0xF0) == 0xE0) { len = 3; cp = b0 & 0x0F; minimum = 0x800; }
        else if ((b0 & 0xF8) == 0xF0) { len = 4; cp = b0 & 0x07; minimum = 0x10000; }
        size_t k = 1;
        if (len != 0) {
            for (; k < len && i + k < n; ++k) {
                const auto b = static_cast<unsigned char>(Text[i + k]);
                if ((b & 0xC0) != 0x80) break;
                cp = (cp << 6) | (b & 0x3F);
            }
        }
        // Overlong forms, surrogates and values past U+10FFFF are malformed too.
        if (len == 0 || k < len || cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(Replacement);
            i += k;
            continue;
        }
        AppendCodePoint(out, cp);
        i += len;
    }
    return out;
}

std::string StringToUtf8(std::u16string_view Text) {
    std::string out;
    out.reserve(Text.size());
    const size_t n = Text.size();
    for (size_t i = 0; i < n; ++i) {
        char32_t cp = Text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < n && Text[i + 1] >= 0xDC00 && Text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (Text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = Replacement;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

bool SameText(std::u16string_view A, std::u16string_view B) {
    if (A.size() != B.size()) return false;
    for (size_t i = 0; i < A.size(); ++i)
        if (FoldCase(A[i]) != FoldCase(B[i])) return false;
    return true;
}

} // namespace vl

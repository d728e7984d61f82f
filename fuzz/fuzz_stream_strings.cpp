// Stream strings: UTF-16 and 8-bit texts and the fixed-length 8-bit field.
// A text read in either form saves as UTF-16 and reads back the same.

#include <vector>

#include "fuzz_input.h"
#include "velloran/foundations/errors.h"
#include "velloran/foundations/stream.h"
#include "velloran/foundations/stream_strings.h"

using namespace vl;
using vl::fuzz::Check;

namespace {

void CheckRoundTrip(const String& text) {
    TMemoryStream s;
    SaveString(s, text);
    s.SetPosition(0);
    Check(LoadString_w(s) == text, "saved text reads back different");
    Check(s.Remaining() == 0, "saved text not read to its end");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vl::fuzz::TFuzzInput in(data, size);
    const uint8_t options = in.Byte();
    // The fixed field takes its length and room from the options, as a layer name would.
    const int32_t len = in.Int();
    const size_t room = in.Byte();
    TMemoryStream s(in.Rest());
    // Texts follow each other on a stream; read until one fails.
    try {
        for (int i = 0; i < 64 && s.Remaining() > 0; ++i) {
            switch ((options >> (i % 4 * 2)) & 3) {
            case 0:
                CheckRoundTrip(LoadString_w(s));
                break;
            case 1:
                CheckRoundTrip(LoadStringAnsi(s));
                break;
            default: {
                std::vector<char16_t> dest(room, u'\xFFFF');
                StreamReadAnsiString(s, dest, len);
                if (!dest.empty() && len >= 0) {
                    size_t n = 0;
                    while (n < dest.size() && dest[n] != 0) ++n;
                    Check(n < dest.size(), "fixed field left without terminator");
                    CheckRoundTrip(String(dest.data(), n));
                }
                break;
            }
            }
        }
    } catch (const EReadError&) {
    }
    return 0;
}

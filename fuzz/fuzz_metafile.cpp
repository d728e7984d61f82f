// Metafile byte images taken whole (SetData) or from a longer stream
// (LoadFromStream), and the sizes set on what was taken. An accepted image
// saves and loads back to the same bytes.

#include "fuzz_input.h"
#include "velloran/foundations/errors.h"
#include "velloran/foundations/stream.h"
#include "velloran/platform/detail/emf_reader.h"
#include "velloran/platform/metafile.h"

using namespace vl;
using vl::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vl::fuzz::TFuzzInput in(data, size);
    const uint8_t options = in.Byte();
    const int32_t width = in.Int();
    const int32_t height = in.Int();
    TMetafile mf;
    try {
        if (options & 1) {
            mf.SetData(in.Rest());
        } else {
            TMemoryStream s(in.Rest());
            mf.LoadFromStream(s);
        }
    } catch (const EInvalidGraphic&) {
        Check(mf.Data().empty(), "rejected metafile changed the picture");
        return 0;
    } catch (const EReadError&) {
        return 0;
    }
    mf.Width();
    mf.Height();
    mf.MMWidth();
    mf.MMHeight();
    for (const TEmfRecord& r : EmfRecords(mf)) r.Type();

    TMemoryStream saved;
    mf.SaveToStream(saved);
    saved.SetPosition(0);
    TMetafile back;
    back.LoadFromStream(saved);
    Check(back.Data() == mf.Data(), "saved metafile reads back different");

    if (options & 2) mf.SetWidth(width);
    if (options & 4) mf.SetHeight(height);
    // A resized image is still one the reader takes.
    TMetafile resized;
    resized.SetData(mf.Data());
    return 0;
}

// BMP, ICO and JPEG images from a stream that may hold more after them. A
// picture that loads saves, and what is saved loads back to the same image.

#include <memory>

#include "fuzz_input.h"
#include "velloran/foundations/errors.h"
#include "velloran/foundations/stream.h"
#include "velloran/platform/graphics.h"

using namespace vl;
using vl::fuzz::Check;

namespace {

std::unique_ptr<TGraphic> Make(uint8_t kind) {
    switch (kind % 3) {
    case 0: return std::make_unique<TBitmap>();
    case 1: return std::make_unique<TIcon>();
    default: return std::make_unique<TJPEGImage>();
    }
}

bool SameImage(const TGraphic& a, const TGraphic& b) {
    // An image of no pixels is stored as none, whatever its other side.
    if (a.Empty() && b.Empty()) return true;
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    if (auto* bmp = dynamic_cast<const TBitmap*>(&a)) return bmp->Pixels() == static_cast<const TBitmap&>(b).Pixels();
    if (auto* ico = dynamic_cast<const TIcon*>(&a)) {
        // The colour under a see-through pixel is not kept.
        const auto& other = static_cast<const TIcon&>(b);
        if (ico->Mask() != other.Mask()) return false;
        const auto& pa = ico->Image().Pixels();
        const auto& pb = other.Image().Pixels();
        for (size_t i = 0; i < pa.size(); ++i)
            if (!(i < ico->Mask().size() && ico->Mask()[i]) && pa[i] != pb[i]) return false;
        return true;
    }
    return static_cast<const TJPEGImage&>(a).Data() == static_cast<const TJPEGImage&>(b).Data();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vl::fuzz::TFuzzInput in(data, size);
    const uint8_t kind = in.Byte();
    TMemoryStream s(in.Rest());
    std::unique_ptr<TGraphic> g = Make(kind);
    try {
        g->LoadFromStream(s);
    } catch (const EInvalidGraphic&) {
        return 0;
    } catch (const EReadError&) {
        return 0;
    }
    g->Empty();

    TMemoryStream saved;
    g->SaveToStream(saved);
    saved.SetPosition(0);
    std::unique_ptr<TGraphic> back = Make(kind);
    back->LoadFromStream(saved);
    Check(saved.Remaining() == 0, "saved picture not read to its end");
    Check(SameImage(*g, *back), "saved picture reads back different");
    return 0;
}

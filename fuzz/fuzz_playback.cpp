// Metafile playback onto the headless canvases: the null canvas and a
// recording metafile canvas, whose recording the reader must take again.
// Every record also goes through the geometry accessors.

#include "fuzz_input.h"
#include "velloran/foundations/errors.h"
#include "velloran/platform/detail/emf_reader.h"
#include "velloran/platform/metafile.h"
#include "velloran/platform/metafile_canvas.h"
#include "velloran/platform/metafile_player.h"
#include "velloran/platform/null_canvas.h"

using namespace vl;

namespace {

// Destination rectangles from the input, kept where a drawing could be placed.
int32_t Coord(vl::fuzz::TFuzzInput& in) { return static_cast<int16_t>(in.Int()); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vl::fuzz::TFuzzInput in(data, size);
    const uint8_t options = in.Byte();
    TRect rect{Coord(in), Coord(in), Coord(in), Coord(in)};
    TMetafile mf;
    try {
        mf.SetData(in.Rest());
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    for (const TEmfRecord& r : EmfRecords(mf)) {
        EmfPoints(r);
        EmfPolyCounts(r);
        EmfRect(r);
        EmfText(r);
        EmfTextOrigin(r);
    }
    if (options & 1) {
        TNullCanvas canvas;
        PlayEnhMetaFile(canvas, mf, rect);
    } else {
        TMetafile recorded;
        {
            TMetafileCanvas canvas(recorded);
            EnumEnhMetaFile(canvas, mf, rect, [](TMetafilePlayer& dc, const TEmfRecord& rec) {
                dc.PlayRecord(rec);
                return true;
            });
            canvas.Close();
        }
        TMetafile again;
        again.SetData(recorded.Data());
    }
    return 0;
}

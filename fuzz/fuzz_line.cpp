// Line records beside the point records their ends hang on, in both reading
// modes and every format version; then the connect pass, the geometry and
// hit test of every line, and a save that reads back to the same bytes.

#include <vector>

#include "fuzz_input.h"
#include "fuzz_world.h"
#include "velloran/objects/line_obj.h"

using namespace vl;
using namespace vl::fuzz;

namespace {

// A selector byte per record: odd for a line, even for a point.
TvlCreator* CreatorOf(uint8_t selector, TWorld& w) {
    return selector & 1 ? static_cast<TvlCreator*>(w.Lines) : w.Creators[1];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TFuzzInput in(data, size);
    const std::vector<TvlObject*> loaded = LoadObjectRecords(in, CreatorOf);
    for (TvlObject* o : loaded) {
        auto* l = dynamic_cast<TLineObj*>(o);
        if (!l) continue;
        // Every end is free or hangs on a master that exists.
        Check(!l->IsP1Slave() || l->GetMaster(), "an attached first end without its master");
        Check(!l->IsP2Slave() || l->GetMaster2(), "an attached second end without its master");
        const TLimRec lim = l->GetMaxLimits();
        Check(lim.Xmin <= lim.Xmax && lim.Ymin <= lim.Ymax, "a line box turned inside out");
        const int64_t mx = (int64_t{l->GetX()} + l->GetX2()) / 2, my = (int64_t{l->GetY()} + l->GetY2()) / 2;
        const TLimRec click{int32_t(mx), int32_t(my), int32_t(mx) + 1, int32_t(my) + 1};
        l->Found(click);
        l->SizingHandles({0, 0}, TSizeMode::smCheck);
        l->GetLineAlpha();
    }
    CheckSavesBack(loaded, "lines");
    World().Doc->Clear();
    return 0;
}

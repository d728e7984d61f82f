// Layer records: name, class numbers (through the class map when one is in
// force) and object records, in every format version. Any damage ends in the
// silent abort; a layer that loads saves in the current version and what is
// saved loads back and saves to the same bytes.

#include "fuzz_input.h"
#include "fuzz_world.h"
#include "velloran/foundations/errors.h"
#include "velloran/foundations/stream.h"
#include "velloran/objects/layer.h"
#include "velloran/storage/file_header.h"
#include "velloran/storage/mapper.h"

using namespace vl;
using namespace vl::fuzz;

namespace {

// Onto creators, onto the fixed identity, onto a non-creator and outside 16 bits.
TMapper ClassMap({{5, 3}, {6, -7}, {7, 0}, {8, 100000}, {-7, 2}});

std::vector<uint8_t> Saved(TvlLayer& layer) {
    SetFileHeader();
    TMemoryStream s;
    layer.SaveToStream(s);
    return s.Bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TWorld& w = World();
    TFuzzInput in(data, size);
    const uint8_t options = in.Byte();
    SetVersion(options & 7, options & 8);
    Mapper = options & 0x10 ? &ClassMap : nullptr;
    TMemoryStream s(in.Rest());
    auto layer = std::make_unique<TvlLayer>();
    bool aborted = false;
    try {
        layer->LoadFromStream(s, &w.Form);
    } catch (const EAbort&) {
        aborted = true;
    }
    Mapper = nullptr;
    if (aborted) return 0;

    w.Doc->SetObjects(std::move(layer));
    TvlLayer& loaded = w.Doc->Objects();
    for (int32_t i = 0; i < loaded.Count(); ++i) loaded.GetItems(i)->Persist(nullptr, TPstMode::pstConnect);
    loaded.RecalcLimits();

    const std::vector<uint8_t> saved = Saved(loaded);
    TMemoryStream again(saved);
    TvlLayer reread;
    reread.LoadFromStream(again, &w.Form);
    Check(again.Remaining() == 0, "saved layer not read to its end");
    // Links resolve against the loaded layer, whose objects carry the same identities.
    for (int32_t i = 0; i < reread.Count(); ++i) reread.GetItems(i)->Persist(nullptr, TPstMode::pstConnect);
    Check(Saved(reread) == saved, "saved layer reads back different");
    w.Doc->Clear();
    return 0;
}

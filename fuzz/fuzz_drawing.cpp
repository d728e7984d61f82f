// Whole drawing files of every generation: header, creator map, body. A
// file that does not load leaves the drawing as it was; one that loads saves
// as a file that loads back and saves to the same bytes.

#include "fuzz_input.h"
#include "fuzz_world.h"
#include "velloran/foundations/stream.h"
#include "velloran/storage/file_header.h"
#include "velloran/storage/versions.h"

using namespace vl;
using namespace vl::fuzz;

namespace {

std::vector<uint8_t> SavedFile(TvlDataMod& doc) {
    TFileHeaderScope header;
    TMemoryStream s;
    WriteFileHeader(s, FileHeader);
    doc.SaveCreatorMap(s);
    doc.SaveToStream(s);
    return s.Bytes();
}

// A drawing on screen that a failed load must leave alone.
void PresentDrawing(TWorld& w) {
    w.Doc->Clear();
    for (int i = 0; i < 3; ++i) {
        std::unique_ptr<TvlObject> o = w.Creators[1]->CreateObject();
        o->Count();
        o->SetPos({i * 50, 10});
        w.Doc->Add(std::move(o), 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TWorld& w = HeadlessWorld();
    TFuzzInput in(data, size);
    const uint8_t options = in.Byte();
    if (options & 1) PresentDrawing(w);
    else w.Doc->Clear();
    const std::vector<uint8_t> before = SavedFile(*w.Doc);

    TMemoryStream s(in.Rest());
    if (!w.Doc->LoadDrawing(s)) {
        Check(SavedFile(*w.Doc) == before, "a failed load changed the drawing");
        return 0;
    }
    const std::vector<uint8_t> saved = SavedFile(*w.Doc);
    TMemoryStream again(saved);
    Check(w.Doc->LoadDrawing(again), "a saved drawing does not load");
    Check(SavedFile(*w.Doc) == saved, "a saved drawing reads back different");
    return 0;
}

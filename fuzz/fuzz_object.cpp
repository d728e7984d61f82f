// Object records in both reading modes and every format version, then the
// connect pass of the mode. Each object saves in the current version and
// what is saved loads back and saves to the same bytes.

#include <vector>

#include "fuzz_input.h"
#include "fuzz_world.h"

using namespace vl;
using namespace vl::fuzz;

namespace {

// One selector byte per record picks the creator, as a class number would.
TvlCreator* CreatorOf(uint8_t selector, TWorld& w) { return w.Creators[selector % w.Creators.size()]; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TFuzzInput in(data, size);
    const std::vector<TvlObject*> loaded = LoadObjectRecords(in, CreatorOf);
    for (TvlObject* o : loaded) o->GetMaxLimits();
    CheckSavesBack(loaded, "objects");
    World().Doc->Clear();
    return 0;
}

// Object records in both reading modes and every format version, then the
// connect pass of the mode. Each object saves in the current version and
// what is saved loads back and saves to the same bytes.

#include <memory>
#include <optional>
#include <vector>

#include "fuzz_input.h"
#include "fuzz_world.h"
#include "velloran/foundations/errors.h"
#include "velloran/foundations/stream.h"
#include "velloran/objects/paste_ids.h"
#include "velloran/storage/file_header.h"

using namespace vl;
using namespace vl::fuzz;

namespace {

constexpr int MaxObjects = 32;

// One selector byte per record picks the creator, as a class number would.
std::vector<std::unique_ptr<TvlObject>> ReadRecords(TStream& s, TPstMode mode, TWorld& w) {
    std::vector<std::unique_ptr<TvlObject>> objects;
    while (s.Remaining() > 0 && objects.size() < MaxObjects) {
        TvlCreator* c = w.Creators[s.ReadUInt8() % w.Creators.size()];
        std::unique_ptr<TvlObject> o = c->CreateObject();
        // A paste gives every object a fresh identity before it reads.
        if (mode == TPstMode::pstPaste) o->Count();
        o->Persist(&s, mode);
        objects.push_back(std::move(o));
    }
    return objects;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TWorld& w = World();
    TFuzzInput in(data, size);
    const uint8_t options = in.Byte();
    const bool paste = options & 0x10;
    const TPstMode mode = paste ? TPstMode::pstPaste : TPstMode::pstLoad;
    SetVersion(options & 7, options & 8);
    std::vector<TvlObject*> loaded;
    {
        std::optional<TPasteScope> pasting;
        if (paste) pasting.emplace();
        TMemoryStream s(in.Rest());
        std::vector<std::unique_ptr<TvlObject>> objects;
        try {
            objects = ReadRecords(s, mode, w);
        } catch (const EReadError&) {
        } catch (const EInvalidGraphic&) {
        }
        // The records read before a failure are kept, as a paste keeps them.
        for (auto& o : objects) {
            loaded.push_back(o.get());
            w.Doc->Add(std::move(o), 0);
        }
        for (TvlObject* o : loaded) o->Persist(nullptr, paste ? TPstMode::pstConnectCopy : TPstMode::pstConnect);
    }
    for (TvlObject* o : loaded) o->GetMaxLimits();

    const std::vector<uint8_t> saved = SaveObjects(loaded);
    TMemoryStream again(saved);
    std::vector<std::unique_ptr<TvlObject>> reread;
    for (TvlObject* o : loaded) {
        again.ReadInt16();
        reread.push_back(o->Tool()->CreateObject());
        reread.back()->Persist(&again, TPstMode::pstLoad);
    }
    Check(again.Remaining() == 0, "saved objects not read to their end");
    // Links resolve against the loaded objects, which carry the same identities.
    std::vector<TvlObject*> rereadPtrs;
    for (auto& o : reread) {
        o->Persist(nullptr, TPstMode::pstConnect);
        rereadPtrs.push_back(o.get());
    }
    Check(SaveObjects(rereadPtrs) == saved, "saved objects read back different");
    w.Doc->Clear();
    return 0;
}

// Line records beside the point records their ends hang on, in both reading
// modes and every format version; then the connect pass, the geometry and
// hit test of every line, and a save that reads back to the same bytes.

#include <memory>
#include <optional>
#include <vector>

#include "fuzz_input.h"
#include "fuzz_world.h"
#include "velloran/foundations/errors.h"
#include "velloran/foundations/stream.h"
#include "velloran/objects/line_obj.h"
#include "velloran/objects/paste_ids.h"

using namespace vl;
using namespace vl::fuzz;

namespace {

constexpr int MaxObjects = 32;

// A selector byte per record: odd for a line, even for a point.
TvlCreator* CreatorOf(uint8_t selector, TWorld& w) {
    return selector & 1 ? static_cast<TvlCreator*>(w.Lines) : w.Creators[1];
}

std::vector<std::unique_ptr<TvlObject>> ReadRecords(TStream& s, TPstMode mode, TWorld& w) {
    std::vector<std::unique_ptr<TvlObject>> objects;
    while (s.Remaining() > 0 && objects.size() < MaxObjects) {
        std::unique_ptr<TvlObject> o = CreatorOf(s.ReadUInt8(), w)->CreateObject();
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
        }
        for (auto& o : objects) {
            loaded.push_back(o.get());
            w.Doc->Add(std::move(o), 0);
        }
        for (TvlObject* o : loaded) o->Persist(nullptr, paste ? TPstMode::pstConnectCopy : TPstMode::pstConnect);
    }
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

    const std::vector<uint8_t> saved = SaveObjects(loaded);
    TMemoryStream again(saved);
    std::vector<std::unique_ptr<TvlObject>> reread;
    for (TvlObject* o : loaded) {
        again.ReadInt16();
        reread.push_back(o->Tool()->CreateObject());
        reread.back()->Persist(&again, TPstMode::pstLoad);
    }
    Check(again.Remaining() == 0, "saved lines not read to their end");
    std::vector<TvlObject*> rereadPtrs;
    for (auto& o : reread) {
        o->Persist(nullptr, TPstMode::pstConnect);
        rereadPtrs.push_back(o.get());
    }
    Check(SaveObjects(rereadPtrs) == saved, "saved lines read back different");
    w.Doc->Clear();
    return 0;
}

// Record and point lists: stored record size, count and capacity. What loads
// saves, and what is saved loads back to the same records.

#include <cstring>
#include <memory>

#include "fuzz_input.h"
#include "velloran/foundations/errors.h"
#include "velloran/foundations/point_list.h"
#include "velloran/foundations/stream.h"

using namespace vl;
using vl::fuzz::Check;

namespace {

enum : uint8_t { kRecordList, kPointList, kFixedSize, kKinds };

std::unique_ptr<TRecordList> Load(uint8_t kind, uint16_t recSize, TPstMode mode, TStream& s) {
    switch (kind) {
    case kRecordList: {
        auto list = std::make_unique<TRecordList>(1);
        list->Persist(s, mode);
        return list;
    }
    case kPointList: {
        auto list = std::make_unique<TPointList>();
        list->Persist(s, mode);
        return list;
    }
    default: {
        auto list = std::make_unique<TRecordList>(recSize);
        list->LoadFromStream(s);
        return list;
    }
    }
}

std::vector<uint8_t> Save(uint8_t kind, const TRecordList& list) {
    TMemoryStream s;
    if (kind == kFixedSize)
        list.SaveToStream(s);
    else
        const_cast<TRecordList&>(list).Persist(s, TPstMode::pstSave);
    return s.Bytes();
}

bool SameRecords(const TRecordList& a, const TRecordList& b) {
    if (a.Count() != b.Count() || a.RecSize() != b.RecSize()) return false;
    for (int32_t i = 0; i < a.Count(); ++i)
        if (std::memcmp(a.Get(i), b.Get(i), a.RecSize()) != 0) return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vl::fuzz::TFuzzInput in(data, size);
    const uint8_t options = in.Byte();
    const uint8_t kind = options % kKinds;
    const TPstMode mode = options & 0x80 ? TPstMode::pstPaste : TPstMode::pstLoad;
    const uint16_t recSize = static_cast<uint16_t>(in.Byte() % 64 + 1);
    TMemoryStream s(in.Rest());
    std::unique_ptr<TRecordList> first;
    try {
        first = Load(kind, recSize, mode, s);
    } catch (const EReadError&) {
        return 0;
    } catch (const EListError&) {
        return 0;
    }
    const std::vector<uint8_t> saved = Save(kind, *first);
    TMemoryStream again(saved);
    const std::unique_ptr<TRecordList> second = Load(kind, first->RecSize(), TPstMode::pstLoad, again);
    Check(again.Remaining() == 0, "saved list not read to its end");
    Check(SameRecords(*first, *second), "saved list reads back different records");
    Check(Save(kind, *second) == saved, "saved list saves differently");
    return 0;
}

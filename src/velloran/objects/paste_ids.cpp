#include "velloran/objects/paste_ids.h"

#include <cstring>

namespace vl {

TPasteScope::TPasteScope()
    : TScopedValue(PasteIDList, std::make_unique<TRecordList>(static_cast<uint16_t>(sizeof(TPasteIDRec)))) {}

std::optional<uint16_t> PastedID(int16_t ClassNr, uint16_t StoredID) {
    if (!PasteIDList) return std::nullopt;
    TPasteIDRec key{ClassNr, StoredID, 0};
    const int32_t i = PasteIDList->Find(
        [](const void* rec, void* params) {
            TPasteIDRec r;
            std::memcpy(&r, rec, sizeof r);
            auto* k = static_cast<TPasteIDRec*>(params);
            if (r.ClassNr != k->ClassNr || r.StoredID != k->StoredID) return false;
            k->NewID = r.NewID;
            return true;
        },
        &key);
    if (i < 0) return std::nullopt;
    return key.NewID;
}

} // namespace vl

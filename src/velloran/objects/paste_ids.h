#pragma once
// PasteIDList: the identity translation of a running paste. Pasted objects
// get fresh identities; links stored among them are translated through it.
// It exists only while a paste runs: the paste holds a TPasteScope.

#include <cstdint>
#include <memory>
#include <optional>

#include "velloran/foundations/record_list.h"
#include "velloran/foundations/scoped_value.h"

namespace vl {

/// One identity translation of a paste.
/// 6 bytes per record.
struct TPasteIDRec {
    int16_t ClassNr = 0;
    uint16_t StoredID = 0;
    uint16_t NewID = 0;
};
static_assert(sizeof(TPasteIDRec) == 6);

inline std::unique_ptr<TRecordList> PasteIDList;

/// Installs an empty translation for one scope.
class TPasteScope : TScopedValue<std::unique_ptr<TRecordList>> {
public:
    TPasteScope();
};

/// The new identity of a pasted object, when the running paste holds one.
std::optional<uint16_t> PastedID(int16_t ClassNr, uint16_t StoredID);

} // namespace vl

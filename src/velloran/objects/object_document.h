#pragma once
// TObjectDocument: what an object may ask of the document that holds it.
// The document implements it.

#include <cstdint>

#include "velloran/foundations/types.h"
#include "velloran/objects/object_types.h"

namespace vl {

/// What an object may ask of the document that holds it.
class TObjectDocument {
public:
    /// The next identity of counter CounterIdx.
    virtual uint16_t IncCounter(uint16_t CounterIdx) = 0;
    /// The object a stored link names; nullptr when there is none.
    virtual TvlObject* FindObject(const TContype& ConObj) = 0;
    virtual void Select(TvlObject* AnyObj) = 0;
    virtual void UnSelect(TvlObject* AnyObj) = 0;
    virtual void Mark(TvlObject* AnyObj) = 0;
    /// Widens the document's limits by the object.
    virtual void CheckLimits(TvlObject* AnyObj, bool inclBorder) = 0;
    /// The area repainted after an operation.
    virtual TLimRec& RestoreRect() = 0;
    virtual void InvalidateRestoreRect() = 0;
    /// The object's stored limits moved from Old: its layer re-files it.
    virtual void LimitsChanged(TvlObject&, const TLimRec& /*Old*/) {}

protected:
    ~TObjectDocument() = default;
};

} // namespace vl

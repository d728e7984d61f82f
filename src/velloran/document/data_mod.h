#pragma once
// TvlDataMod: the document. Here is the part objects rely on today:
// identity counters, selection and marking through the mark case, the
// restore rectangle, finding an object by its identity pair, and the limit
// and search operations the layered documents provide. Undo, files,
// deletion and the layer walks are completed by the document work.

#include <cstdint>
#include <functional>
#include <vector>

#include "velloran/foundations/set.h"
#include "velloran/foundations/types.h"
#include "velloran/objects/object_types.h"
#include "velloran/objects/object_walks.h"
#include "velloran/tools/environment.h"

namespace vl {

enum class TDataModFlag : uint8_t { dmNeedAll, dmLoading, dmSaving, dmIgnoreZ, dmMovingObjects };
using TDataModState = TSet<TDataModFlag, uint8_t>;

struct TObjIndex {
    int32_t Index = 0;
    int32_t LayerNr = 0;
};

using TCounters = std::vector<uint16_t>;

class TvlDataMod : public TEnvironment {
public:
    explicit TvlDataMod(TComponent* AOwner);
    std::string ClassName() const override { return "TvlDataMod"; }

    // ---- Provided by the layered documents ----------------------------------
    virtual TLimRec GetLimits() const = 0;
    // Widens the limits by the object; inclBorder as the layers' test.
    virtual void CheckLimits(TvlObject* AnyObj, bool inclBorder) = 0;
    virtual TvlObject* FirstObjectWith(const TFirstObjectFunc& Condition, void* Params) = 0;

    // ---- Identities ---------------------------------------------------------
    // Grows the counter array as needed; 65535 wraps to 0.
    uint16_t IncCounter(uint16_t CounterIdx);
    uint16_t DecCounter(uint16_t CounterIdx);
    virtual void Clear();
    const TCounters& Counters() const { return FCounters; }
    // The object with this (class number, ObjID), through Mapper when active.
    TvlObject* FindObject(const TContype& ConObj);

    // ---- Marking and selection ---------------------------------------------
    // Objects in the mark case carry isSelected; nil means all of them.
    void Select(TvlObject* AnyObj);
    void UnSelect(TvlObject* AnyObj);
    void Mark(TvlObject* AnyObj);
    void UnmarkAll() { UnSelect(nullptr); }
    // Not owned: the marked objects in marking order.
    const std::vector<TvlObject*>& MarkCase() const { return FMarkCase; }

    // ---- Repaint area -------------------------------------------------------
    TLimRec& RestoreRect() { return FRestoreRect; }
    void InitRestoreRect() { FRestoreRect = {EmptyLimMin, EmptyLimMin, EmptyLimMax, EmptyLimMax}; }
    // The draw box invalidates the area, which then starts empty again.
    void InvalidateRestoreRect();

    TObjectEvent OnSelectObject;
    TObjectEvent OnUnselectObject;
    TObjectEvent OnMarkObject;
    TDataModState State;

private:
    // A list of references; the layers own the objects.
    std::vector<TvlObject*> FMarkCase;
    TCounters FCounters;
    TLimRec FRestoreRect;
};

} // namespace vl

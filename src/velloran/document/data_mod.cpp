#include "velloran/document/data_mod.h"

#include <algorithm>

#include "velloran/document/object_index.h"
#include "velloran/foundations/errors.h"
#include "velloran/generators/custom_generator.h"
#include "velloran/objects/layer.h"
#include "velloran/objects/line_obj.h"
#include "velloran/objects/object.h"
#include "velloran/objects/object_tool.h"
#include "velloran/objects/object_view.h"
#include "velloran/storage/mapper.h"

namespace vl {

using enum TIndividualFlag;

TvlDataMod::TvlDataMod(TComponent* AOwner) : TEnvironment(AOwner) {
    FMarkCase.State.Include(TListFlag::lsZOrder);
    InitRestoreRect();
}

TvlDataMod::~TvlDataMod() = default;

void TvlDataMod::Assign(const TPersistent& Source) {
    const auto* src = dynamic_cast<const TvlDataMod*>(&Source);
    if (!src) {
        TEnvironment::Assign(Source);
        return;
    }
    OnDeleteObjects = src->OnDeleteObjects;
    OnSelectObject = src->OnSelectObject;
    OnUnselectObject = src->OnUnselectObject;
    OnMarkObject = src->OnMarkObject;
    OnLayerSetClass = src->OnLayerSetClass;
    OnCheckFileVersion = src->OnCheckFileVersion;
    // Not the steps, but through the setter, so the kinds never go without one.
    SetUndoFunction(src->FUndo);
}

TLayerClass TvlDataMod::LayerSetClass() const {
    TLayerClass c = &LayerClassOf<TvlLayer>;
    if (OnLayerSetClass) OnLayerSetClass(c);
    // A handler that leaves no class must not make layers impossible.
    return c ? c : &LayerClassOf<TvlLayer>;
}

void TvlDataMod::AllObjects(TScaleStep Step) {
    AllObjects([&Step](TvlObject* o) { Step(*o); });
}

// ---- Identities ------------------------------------------------------------------

uint16_t TvlDataMod::IncCounter(uint16_t CounterIdx) {
    if (CounterIdx >= FCounters.size()) FCounters.resize(size_t{CounterIdx} + 1, 0);
    return ++FCounters[CounterIdx];
}

uint16_t TvlDataMod::DecCounter(uint16_t CounterIdx) {
    if (CounterIdx >= FCounters.size()) RaiseListError(SListIndexError, CounterIdx);
    return --FCounters[CounterIdx];
}

void TvlDataMod::Clear() { std::fill(FCounters.begin(), FCounters.end(), uint16_t{0}); }

TvlObject* TvlDataMod::FindObject(const TContype& ConObj) {
    TContype key = ConObj;
    if (Mapper) key.ConType = static_cast<int16_t>(Mapper->MapClassNr(key.ConType));
    if (FConnectIndex) return FConnectIndex->Find(key.ConType, key.ConID);
    State.Include(TDataModFlag::dmNeedAll);
    return FirstObjectWith(
        [&key](TvlObject* o) { return o->ObjID == key.ConID && o->ClassNr() == key.ConType; });
}

// ---- Marking and selection ---------------------------------------------------------

void TvlDataMod::Select(TvlObject* AnyObj) {
    if (!AnyObj) {
        for (int32_t i = 0; i < FMarkCase.Count(); ++i)
            if (TvlObject* o = FMarkCase.Get(i)) o->State.Include(isSelected);
        return;
    }
    if (AnyObj->GetSelected()) return;
    if (FBulkMarks)
        FMarkCase.Append(AnyObj);
    else
        FMarkCase.Add(AnyObj);
    AnyObj->State.Include(isSelected);
    if (OnSelectObject) OnSelectObject(AnyObj);
}

void TvlDataMod::UnSelect(TvlObject* AnyObj) {
    if (OnUnselectObject) OnUnselectObject(AnyObj);
    if (AnyObj) {
        AnyObj->RemoveSelectFlag();
        if (!FBulkMarks) RemoveFromMarkCase(AnyObj);
    } else {
        for (int32_t i = 0; i < FMarkCase.Count(); ++i)
            if (TvlObject* o = FMarkCase.Get(i)) o->RemoveSelectFlag();
        FMarkCase.Clear();
    }
    InvalidateRestoreRect();
}

// From the back: the object unselected is most often one marked last.
void TvlDataMod::RemoveFromMarkCase(TvlObject* AnyObj) {
    for (int32_t i = FMarkCase.Count() - 1; i >= 0; --i)
        if (FMarkCase.Get(i) == AnyObj) {
            FMarkCase.Delete(i);
            return;
        }
}

void TvlDataMod::PackMarkCase() {
    // Clearing the flag of each kept object drops its later duplicates.
    std::vector<TvlObject*> kept;
    kept.reserve(static_cast<size_t>(FMarkCase.Count()));
    for (int32_t i = 0; i < FMarkCase.Count(); ++i)
        if (TvlObject* o = FMarkCase.Get(i); o && o->GetSelected()) {
            o->State.Exclude(isSelected);
            kept.push_back(o);
        }
    // Objects joined at the end; one stable sort puts them where z-ordered
    // insertion would have, without an insertion per object.
    if (FMarkCase.State.Contains(TListFlag::lsZOrder))
        std::stable_sort(kept.begin(), kept.end(), [](const TvlObject* a, const TvlObject* b) {
            return a->Generator().ZOrder() > b->Generator().ZOrder();
        });
    FMarkCase.Clear();
    for (TvlObject* o : kept) {
        o->State.Include(isSelected);
        FMarkCase.Append(o);
    }
}

void TvlDataMod::Mark(TvlObject* AnyObj) {
    if (AnyObj) {
        Select(AnyObj);
        AnyObj->Mark();
    } else {
        for (int32_t i = 0; i < FMarkCase.Count(); ++i) {
            TvlObject* o = FMarkCase.Get(i);
            if (!o) continue;
            o->SetSizing(false);
            o->State.Include(isSelected);
            o->Mark();
        }
    }
    if (OnMarkObject) OnMarkObject(AnyObj);
    InvalidateRestoreRect();
}

// ---- Deleting ----------------------------------------------------------------------

bool TvlDataMod::PrepareDelete() {
    if (FMarkCase.Count() == 0) return false;
    FBulkMarks = true;
    try {
        CheckLinks(TInvolve::invDelete);
        // The dependants joined at the end; a slave must be asked after its
        // master, which z-order guarantees.
        PackMarkCase();
        // From the last: a slave that stays unselects itself.
        for (int32_t i = FMarkCase.Count() - 1; i >= 0; --i)
            if (TvlObject* o = FMarkCase.Get(i); o && o->GetSelected()) o->CanDelete();
        // One walk meets a slave standing before its master too early to join;
        // it goes with its master rather than keep a freed one.
        if (FollowDeletedMasters(false)) PackMarkCase();
    } catch (...) {
        FBulkMarks = false;
        PackMarkCase();
        throw;
    }
    FBulkMarks = false;
    PackMarkCase();
    if (FMarkCase.Count() == 0) return false;
    DoDeleteObjects();
    return true;
}

void TvlDataMod::DoDeleteObjects() {
    if (FUndo.Contains(TUndoOptions::unDelete)) Backup(TBackupMode::bkDelete);
    if (OnDeleteObjects) OnDeleteObjects(this);
    DropMarkCase();
}

void TvlDataMod::DropMarkCase() {
    for (int32_t i = 0; i < FMarkCase.Count(); ++i)
        if (TvlObject* o = FMarkCase.Get(i)) o->State.Exclude(isSelected).Exclude(isMarked).Exclude(isSizing);
    FMarkCase.Clear();
}

void TvlDataMod::Erase(TvlObject* Item) {
    if (!Item) return;
    std::unique_ptr<TvlObject> owned = Remove(Item);
    RemoveFromMarkCase(Item);
    if (DrawForm() && DrawForm()->MouseFnd() == Item) DrawForm()->SetMouseFnd(nullptr);
}

void TvlDataMod::ReleaseToolObjects(const TObjectTool& Tool) {
    // Flag the creator's objects and whatever hangs on one of its objects
    // outside the document (a box object), then whatever hangs on a flagged
    // master, until no more join (chains of slaves need one pass per link).
    State.Include(TDataModFlag::dmNeedAll);
    bool joined = false;
    AllObjects([&](TvlObject* o) {
        const TvlObject* master = o->GetMaster();
        if (o->Tool() == &Tool || (master && master != o && master->Tool() == &Tool)) {
            o->State.Include(isDeleted);
            joined = true;
        }
    });
    if (!joined) return;
    FollowDeletedMasters(true);
    for (int32_t i = FMarkCase.Count() - 1; i >= 0; --i)
        if (TvlObject* o = FMarkCase.Get(i); o && o->State.Contains(isDeleted)) FMarkCase.Delete(i);
    ForgetMouseFnd();
    FreeDeletedObjects();
}

bool TvlDataMod::FollowDeletedMasters(bool Silently) {
    // Monotonic (a flag is only ever added), so this ends after one walk per
    // link of the longest chain.
    bool any = false;
    for (bool joined = true; joined;) {
        joined = false;
        AllObjects([&](TvlObject* o) {
            if (o->State.Contains(isDeleted)) return;
            TvlObject* master = o->GetMaster();
            // A line also goes with the master of its second end.
            const auto* line = dynamic_cast<const TLineObj*>(o);
            TvlObject* master2 = line ? line->GetMaster2() : o;
            if ((master != o && master && master->State.Contains(isDeleted)) ||
                (master2 != o && master2 && master2->State.Contains(isDeleted))) {
                if (!Silently) Select(o);
                o->State.Include(isDeleted);
                joined = any = true;
            }
        });
    }
    return any;
}

void TvlDataMod::ForgetMouseFnd() {
    if (DrawForm()) DrawForm()->SetMouseFnd(nullptr);
}

// ---- Repaint area -------------------------------------------------------------------

void TvlDataMod::InvalidateRestoreRect() {
    if (DrawForm()) DrawForm()->InvalidateChanges();
    InitRestoreRect();
}

void TvlDataMod::Invalidate() {
    FRestoreRect = GetLimits();
    InvalidateRestoreRect();
}

bool TvlDataMod::RangeChanged() const {
    const TLimRec& r = FRestoreRect;
    return r.Xmin < GetminX() || r.Xmax > GetMaxX() || r.Ymin < GetminY() || r.Ymax > GetmaxY();
}

bool TvlDataMod::CompareLimits(const TLimRec& Lims) const {
    return Lims.Xmin == GetminX() && Lims.Ymin == GetminY() && Lims.Xmax == GetMaxX() && Lims.Ymax == GetmaxY();
}

} // namespace vl

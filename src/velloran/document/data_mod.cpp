#include "velloran/document/data_mod.h"

#include <algorithm>

#include "velloran/document/mapper.h"
#include "velloran/objects/object.h"
#include "velloran/view/draw_box.h"

namespace vl {

TvlDataMod::TvlDataMod(TComponent* AOwner) : TEnvironment(AOwner) { InitRestoreRect(); }

uint16_t TvlDataMod::IncCounter(uint16_t CounterIdx) {
    if (CounterIdx >= FCounters.size()) FCounters.resize(size_t{CounterIdx} + 1, 0);
    return ++FCounters[CounterIdx];
}

uint16_t TvlDataMod::DecCounter(uint16_t CounterIdx) { return --FCounters.at(CounterIdx); }

void TvlDataMod::Clear() { std::fill(FCounters.begin(), FCounters.end(), uint16_t{0}); }

TvlObject* TvlDataMod::FindObject(const TContype& ConObj) {
    TContype key = ConObj;
    if (Mapper) key.ConType = static_cast<int16_t>(Mapper->MapClassNr(key.ConType));
    State.Include(TDataModFlag::dmNeedAll);
    return FirstObjectWith(
        [](TvlObject* o, void* p) {
            const auto* k = static_cast<const TContype*>(p);
            return o->ClassNr() == k->ConType && o->ObjID == k->ConID;
        },
        &key);
}

void TvlDataMod::Select(TvlObject* AnyObj) {
    if (!AnyObj) {
        for (TvlObject* o : FMarkCase) o->State.Include(TIndividualFlag::isSelected);
        return;
    }
    if (AnyObj->GetSelected()) return;
    FMarkCase.push_back(AnyObj);
    AnyObj->State.Include(TIndividualFlag::isSelected);
    if (OnSelectObject) OnSelectObject(AnyObj);
}

void TvlDataMod::UnSelect(TvlObject* AnyObj) {
    if (OnUnselectObject) OnUnselectObject(AnyObj);
    if (AnyObj) {
        AnyObj->RemoveSelectFlag();
        std::erase(FMarkCase, AnyObj);
    } else {
        for (TvlObject* o : FMarkCase) o->RemoveSelectFlag();
        FMarkCase.clear();
    }
    InvalidateRestoreRect();
}

void TvlDataMod::Mark(TvlObject* AnyObj) {
    if (AnyObj) {
        Select(AnyObj);
        AnyObj->Mark();
    } else {
        for (TvlObject* o : FMarkCase) {
            o->SetSizing(false);
            o->State.Include(TIndividualFlag::isSelected);
            o->Mark();
        }
    }
    if (OnMarkObject) OnMarkObject(AnyObj);
    InvalidateRestoreRect();
}

void TvlDataMod::InvalidateRestoreRect() {
    if (DrawForm()) DrawForm()->InvalidateChanges();
    InitRestoreRect();
}

} // namespace vl

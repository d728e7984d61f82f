#include "velloran/document/data_module.h"

#include <algorithm>
#include <limits>

#include "velloran/foundations/stream.h"
#include "velloran/objects/object.h"

namespace vl {

TvlDataModule::TvlDataModule(TComponent* AOwner) : TvlDataMod(AOwner), FObjCase(NewObjCase()) {}

TvlDataModule::~TvlDataModule() {
    // The mark case only refers to the objects; it must not outlive them unnoticed.
    DropMarkCase();
    FObjCase.reset();
}

std::unique_ptr<TvlLayer> TvlDataModule::NewObjCase() const {
    const auto cap = static_cast<int32_t>(std::min<uint32_t>(FCapacity, std::numeric_limits<int32_t>::max()));
    return LayerSetClass()(String{}, cap);
}

void TvlDataModule::Assign(const TPersistent& Source) {
    TvlDataMod::Assign(Source);
    if (const auto* src = dynamic_cast<const TvlDataModule*>(&Source)) FCapacity = src->FCapacity;
}

std::unique_ptr<TvlLayer> TvlDataModule::SetObjects(std::unique_ptr<TvlLayer> Value) {
    if (!Value) Value = NewObjCase();
    DropMarkCase();
    ForgetMouseFnd();
    std::swap(FObjCase, Value);
    return Value;
}

void TvlDataModule::Clear() {
    TvlDataMod::Clear();
    RestoreRect() = GetLimits();
    DropMarkCase();
    FObjCase->Clear();
    FObjCase->InitLimits();
    ForgetMouseFnd();
    InvalidateRestoreRect();
}

void TvlDataModule::CheckLinks(TInvolve Code) {
    FObjCase->AllObjects([Code](TvlObject* o) { o->Involved(Code); });
}

void TvlDataModule::CheckLimits(TvlObject* AnyObj, bool noBorder) {
    if (!AnyObj || FObjCase->State.Contains(TListFlag::lsNewLimits)) return;
    if (FObjCase->IsOutsideLimits(*AnyObj, noBorder)) FObjCase->InitLimits();
}

TvlObject* TvlDataModule::ObjectAt(int32_t Index, int32_t) const {
    if (Index < 0 || Index >= FObjCase->Count()) return nullptr;
    return FObjCase->Get(Index);
}

TObjIndex TvlDataModule::IndexOf(const TvlObject* AObject) const { return {FObjCase->IndexOf(AObject), 0}; }

void TvlDataModule::AllObjects(TAllObjectsProc Action) { FObjCase->AllObjects(Action); }

void TvlDataModule::AllObjectsBack(TAllObjectsProc Action) {
    FObjCase->AllObjectsBack(Action);
}

// ---- Searches: from StartIndex, which every search spends ----------------------------

TvlObject* TvlDataModule::FirstObjectWith(TFirstObjectFunc Condition) {
    FObjCase->SetStartIndex(FStartIndex.Index);
    FStartIndex = {};
    return FObjCase->FirstObjectWith(Condition);
}

TvlObject* TvlDataModule::LastObjectWith(TFirstObjectFunc Condition) {
    FObjCase->SetStartIndex(FStartIndex.Index);
    FStartIndex = {};
    return FObjCase->LastObjectWith(Condition);
}

TObjIndex TvlDataModule::FirstIndexWith(TFirstObjectFunc Condition) {
    FObjCase->SetStartIndex(FStartIndex.Index);
    FStartIndex = {};
    return {FObjCase->FirstIndexWith(Condition), 0};
}

TObjIndex TvlDataModule::LastIndexWith(TFirstObjectFunc Condition) {
    FObjCase->SetStartIndex(FStartIndex.Index);
    FStartIndex = {};
    return {FObjCase->LastIndexWith(Condition), 0};
}

TvlObject* TvlDataModule::FindAt(int32_t, int32_t x, int32_t y) {
    // x + 1 of the largest coordinate would overflow.
    const TLimRec frame{x, y, x == INT32_MAX ? x : x + 1, y == INT32_MAX ? y : y + 1};
    for (int32_t i = 0, n = FObjCase->Count(); i < n; ++i)
        if (TvlObject* o = FObjCase->Get(i); o && o->Found(frame)) return o;
    return nullptr;
}

// ---- Contents -----------------------------------------------------------------------

int32_t TvlDataModule::BringToFront(TObject* Item, bool ZOrder) {
    auto* o = dynamic_cast<TvlObject*>(Item);
    return o ? FObjCase->BringToFront(o, ZOrder) : -1;
}

int32_t TvlDataModule::SendToBack(TObject* Item, bool ZOrder) {
    auto* o = dynamic_cast<TvlObject*>(Item);
    return o ? FObjCase->SendToBack(o, ZOrder) : -1;
}

void TvlDataModule::Add(std::unique_ptr<TvlObject> Item, int32_t) {
    if (Item) FObjCase->Add(std::move(Item));
}

std::unique_ptr<TvlObject> TvlDataModule::Remove(TvlObject* Item) { return FObjCase->Remove(Item); }

void TvlDataModule::DeleteObjects() {
    if (!PrepareDelete()) return;
    ForgetMouseFnd();
    FObjCase->DeleteObjects();
    InvalidateRestoreRect();
}

void TvlDataModule::FreeDeletedObjects() { FObjCase->DeleteObjects(); }

void TvlDataModule::SaveToStream(TStream& Stream) {
    struct Saving {
        TDataModState& s;
        explicit Saving(TDataModState& st) : s(st) { s.Include(TDataModFlag::dmSaving); }
        ~Saving() { s.Exclude(TDataModFlag::dmSaving); }
    } saving(State);
    // The count field is 16 bits wide: a counter at index 65535 cannot be kept.
    const auto n = static_cast<uint16_t>(std::min<size_t>(Counters().size(), 0xFFFF));
    Stream.WriteUInt16(n);
    for (uint16_t i = 0; i < n; ++i) Stream.WriteUInt16(Counters()[i]);
    FObjCase->SaveToStream(Stream);
}

} // namespace vl

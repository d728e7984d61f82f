#include "velloran/objects/layer.h"

#include <algorithm>
#include <limits>

#include "velloran/foundations/errors.h"
#include "velloran/foundations/stream.h"
#include "velloran/foundations/transfer.h"
#include "velloran/generators/custom_generator.h"
#include "velloran/objects/object.h"
#include "velloran/objects/object_document.h"
#include "velloran/objects/object_tool.h"
#include "velloran/platform/component.h"
#include "velloran/platform/menu.h"
#include "velloran/scale/scale_setting.h"
#include "velloran/storage/file_header.h"
#include "velloran/storage/infobox.h"
#include "velloran/storage/mapper.h"

namespace vl {

using enum TListFlag;

TvlLayer::TvlLayer(const String& aName, int32_t aCapacity) {
    SetName(aName);
    SetCapacity(std::max(aCapacity, 0));
    State.Include(lsZOrder);
}

TvlLayer::~TvlLayer() { FreeAll(); }

void TvlLayer::FreeAll() {
    // Nil before the object goes, so that nothing can reach a freed object
    // through the list.
    for (auto& slot : FItems) std::unique_ptr<TvlObject>(std::move(slot)).reset();
}

void TvlLayer::Clear() {
    FreeAll();
    FItems.clear();
    FItems.shrink_to_fit();
}

std::unique_ptr<TvlObject> TvlLayer::Remove(const TvlObject* Item) {
    const int32_t i = Item ? IndexOf(Item) : -1;
    return i >= 0 ? EraseSlot(i) : nullptr;
}

std::unique_ptr<TvlObject> TvlLayer::TakeAt(int32_t Index) { return std::move(SlotAt(Index)); }

// ---- Name and visibility ----------------------------------------------------

String TvlLayer::GetName() const { return FName ? String(FName.get()) : String(); }

void TvlLayer::SetName(const String& Value) {
    if (Value.empty()) {
        FName.reset();
        return;
    }
    auto buf = std::make_unique<char16_t[]>(Value.size() + 1);
    std::copy(Value.begin(), Value.end(), buf.get());
    FName = std::move(buf);
}

void TvlLayer::SetVisible(bool Value) {
    if (Value)
        State.Exclude(lsHidden);
    else
        State.Include(lsHidden);
    Pack();
    Invalidate();
}

void TvlLayer::Switch(TObject* Sender) {
    SetVisible(!GetVisible());
    if (auto* item = dynamic_cast<TMenuItem*>(Sender)) item->SetChecked(GetVisible());
}

void TvlLayer::Invalidate() {
    const int32_t n = Count();
    TvlObject* first = nullptr;
    for (int32_t i = 0; i < n && !first; ++i) first = Get(i);
    TObjectDocument* dm = first ? first->GetDataModule() : nullptr;
    if (!dm) return;
    dm->RestoreRect() = GetLimits();
    dm->InvalidateRestoreRect();
}

// ---- Adding and stacking ----------------------------------------------------

int32_t TvlLayer::Add(std::unique_ptr<TvlObject> Item) {
    TvlObject& o = *Item;
    const int32_t i = AddIndex(o);
    InsertSlot(i, std::move(Item));
    CheckLimits(o);
    return i;
}

int32_t TvlLayer::BringToFront(TvlObject* Item, bool ZOrder) {
    std::unique_ptr<TvlObject> owned = Remove(Item);
    if (!owned) return -1;
    const int32_t i = ZOrder ? AddIndex(*Item) : Count();
    InsertSlot(i, std::move(owned));
    Item->Invalidate();
    return i;
}

int32_t TvlLayer::SendToBack(TvlObject* Item, bool ZOrder) {
    std::unique_ptr<TvlObject> owned = Remove(Item);
    if (!owned) return -1;
    int32_t i = 0;
    if (ZOrder) {
        const int32_t z = ZOrderOf(*Item);
        for (int32_t k = Count() - 1; k >= 0; --k)
            if (const TvlObject* o = Get(k); o && ZOrderOf(*o) > z) {
                i = k + 1;
                break;
            }
    }
    InsertSlot(i, std::move(owned));
    Item->Invalidate();
    return i;
}

void TvlLayer::DeleteObjects() {
    const int32_t n = Count();
    for (int32_t i = 0; i < n; ++i) {
        TvlObject* o = Get(i);
        if (!o) continue;
        if (o->State.Contains(TIndividualFlag::isDeleted)) {
            TakeAt(i).reset();
        } else {
            CheckLimits(*o);
        }
    }
    Pack();
}

// ---- Limits -----------------------------------------------------------------

void TvlLayer::InitLimits() {
    State.Include(lsNewLimits);
    FminX = FminY = EmptyLimMin;
    FmaxX = FmaxY = EmptyLimMax;
}

void TvlLayer::RecalcLimits() {
    InitLimits();
    const int32_t n = Count();
    for (int32_t i = 0; i < n; ++i)
        if (const TvlObject* o = Get(i)) CheckLimits(*o);
    State.Exclude(lsNewLimits);
}

void TvlLayer::CheckLimits(const TvlObject& Item) {
    using enum TIndividualFlag;
    // An unresolved slave does not know where it is yet.
    if (Item.State.Contains(isConnect)) return;
    const TLimRec L = Item.GetMaxLimits();
    // The extreme values stand for "unbounded" and must not become limits.
    constexpr int32_t hi = std::numeric_limits<int32_t>::max();
    constexpr int32_t lo = -hi + 1;
    bool changed = false;
    auto widen = [&](int32_t& fmin, int32_t& fmax, int32_t lmin, int32_t lmax) {
        if (lmax > fmax && lmax < hi) {
            fmax = lmax;
            changed = true;
        }
        if (lmin < fmin && lmin >= lo) {
            fmin = lmin;
            changed = true;
        }
    };
    if (!Item.State.Contains(isNoHorzLimit)) widen(FminX, FmaxX, L.Xmin, L.Xmax);
    if (!Item.State.Contains(isNoVertLimit)) widen(FminY, FmaxY, L.Ymin, L.Ymax);
    if (changed && ActScaleSet) ActScaleSet->State.Include(TScaleFlag::scNewLimits);
}

bool TvlLayer::IsOutsideLimits(const TvlObject& Item, bool inclBorder) const {
    const TLimRec L = Item.GetMaxLimits();
    if (inclBorder) return L.Xmax > FmaxX || L.Xmin < FminX || L.Ymax > FmaxY || L.Ymin < FminY;
    return L.Xmax >= FmaxX || L.Xmin <= FminX || L.Ymax >= FmaxY || L.Ymin <= FminY;
}

// ---- Traversals -------------------------------------------------------------
// The entry is read again after Action, which may have freed the object and
// put nil in its place.

void TvlLayer::AllObjects(TAllObjectsProc Action) {
    if (!State.Contains(lsNewLimits)) {
        TObjectSequence::AllObjects(Action);
        return;
    }
    const int32_t n = Count();
    for (int32_t i = 0; i < n; ++i) {
        TvlObject* o = Get(i);
        if (!o) continue;
        Action(o);
        if (const TvlObject* after = Get(i)) CheckLimits(*after);
    }
    Pack();
    State.Exclude(lsNewLimits);
}

void TvlLayer::AllObjectsBack(TAllObjectsProc Action) {
    if (!State.Contains(lsNewLimits)) {
        TObjectSequence::AllObjectsBack(Action);
        return;
    }
    for (int32_t i = Count() - 1; i >= 0; --i) {
        TvlObject* o = Get(i);
        if (!o) continue;
        Action(o);
        if (const TvlObject* after = Get(i)) CheckLimits(*after);
    }
    State.Exclude(lsNewLimits);
}

// ---- The layer record -------------------------------------------------------

namespace {

// The layer's name leads its record (streams before 0x2004 have none); a
// name stored empty keeps the layer's own.
void TransferName(TTransfer& t, std::unique_ptr<char16_t[]>& Name) {
    if (t.Writing()) {
        t.ZText(Name, false);
        return;
    }
    if (!vlFileVersionSince(0x2004)) return;
    std::unique_ptr<char16_t[]> stored;
    t.ZText(stored, hostFileVersionBefore(UnicodeHostVersion));
    if (stored && stored[0]) Name = std::move(stored);
}

} // namespace

void TvlLayer::SaveToStream(TStream& Stream) {
    TTransfer t(Stream, true);
    TransferName(t, FName);
    if (FName && FName[0]) InfoMessage(infoSaveLayer, GetName());
    Pack();
    const int32_t n = Count();
    InfoMessage(infoSaveCount, n);
    for (int32_t i = 0; i < n && !Userbreak; ++i) {
        TvlObject* o = Get(i);
        if (!o->Generator().RTOptions().Contains(TRuntimeOption::roDontSave)) o->Persist(&Stream, TPstMode::pstSave);
        InfoCount(i + 1);
    }
    Stream.WriteUInt16(LayerEndMark);
}

namespace {

// Older streams held the class number in 32 bits; the low half counts.
uint16_t ReadClassNr(TStream& Stream) {
    return vlFileVersionSince(0x2090) ? Stream.ReadUInt16() : static_cast<uint16_t>(Stream.ReadUInt32());
}

// A negative number is a creator's fixed identity (the last one wins), any
// other the creator's index among the owner's components.
TObjectTool* CreatorOf(TComponent* AOwner, int16_t ClassNr) {
    if (!AOwner) return nullptr;
    if (ClassNr >= 0)
        return ClassNr < AOwner->ComponentCount() ? dynamic_cast<TObjectTool*>(AOwner->Components(ClassNr)) : nullptr;
    for (int32_t i = AOwner->ComponentCount() - 1; i >= 0; --i)
        if (auto* c = dynamic_cast<TObjectTool*>(AOwner->Components(i)); c && c->GetID() == ClassNr) return c;
    return nullptr;
}

int32_t ClampToInt32(int64_t v) {
    return static_cast<int32_t>(std::min<int64_t>(v, std::numeric_limits<int32_t>::max()));
}

} // namespace

void TvlLayer::LoadFromStream(TStream& Stream, TComponent* AOwner) {
    try {
        TTransfer t(Stream, false);
        TransferName(t, FName);
        for (uint16_t nr = ReadClassNr(Stream); nr != LayerEndMark; nr = ReadClassNr(Stream)) {
            if (Stream.Position() >= Stream.Size()) Abort();
            int32_t classNr = static_cast<int16_t>(nr);
            if (Mapper) classNr = Mapper->MapClassNr(classNr);
            TObjectTool* c = classNr >= std::numeric_limits<int16_t>::min() && classNr <= std::numeric_limits<int16_t>::max()
                                ? CreatorOf(AOwner, static_cast<int16_t>(classNr))
                                : nullptr;
            std::unique_ptr<TvlObject> o = c ? c->CreateObject() : nullptr;
            if (!o) Abort();
            o->Persist(&Stream, TPstMode::pstLoad);
            FItems.push_back(std::move(o));
            InfoCount(ClampToInt32(Stream.Position()));
        }
    } catch (const EAbort&) {
        throw;
    } catch (const std::exception&) {
        // Whatever fails in a body (a truncated stream, a damaged picture)
        // ends the load the same way; the caller drops the partial layer.
        Abort();
    }
}

} // namespace vl

#include "velloran/objects/layer.h"

#include <algorithm>
#include <limits>

#include "velloran/foundations/errors.h"
#include "velloran/foundations/stream.h"
#include "velloran/foundations/transfer.h"
#include "velloran/generators/custom_generator.h"
#include "velloran/objects/line_obj.h"
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
    // Room for the candidates of a mouse search, so hovering allocates nothing.
    FFound.reserve(256);
    FOrder.reserve(256);
}

TvlLayer::~TvlLayer() { FreeAll(); }

void TvlLayer::FreeAll() {
    ClearIndex();
    ForgetZOrder();
    // Nil before the object goes, so that nothing can reach a freed object
    // through the list.
    for (auto& slot : FItems) std::unique_ptr<TvlObject>(std::move(slot)).reset();
}

void TvlLayer::Clear() {
    FreeAll();
    ForgetZOrder();
    FItems.clear();
    FItems.shrink_to_fit();
}

std::unique_ptr<TvlObject> TvlLayer::Remove(const TvlObject* Item) {
    const int32_t i = Item ? IndexOf(Item) : -1;
    if (i < 0) return nullptr;
    IndexErase(*Get(i));
    return EraseSlot(i);
}

std::unique_ptr<TvlObject> TvlLayer::TakeAt(int32_t Index) {
    std::unique_ptr<TvlObject> o = std::move(SlotAt(Index));
    if (o) IndexErase(*o);
    return o;
}

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
    IndexInsert(o);
    CheckLimits(o);
    return i;
}

int32_t TvlLayer::BringToFront(TvlObject* Item, bool ZOrder) {
    std::unique_ptr<TvlObject> owned = Remove(Item);
    if (!owned) return -1;
    const int32_t i = ZOrder ? AddIndex(*Item) : Count();
    InsertSlot(i, std::move(owned));
    IndexInsert(*Item);
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
    IndexInsert(*Item);
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
    RebuildIndex();
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
    RebuildIndex();
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
    RebuildIndex();
}

// ---- The index ----------------------------------------------------------------

namespace {

// Objects placed by a callback move without telling the index, unresolved
// ones do not know where they are, and those that follow the view must
// always be asked.
bool AlwaysCandidate(const TvlObject& o) {
    return o.State.Contains(TIndividualFlag::isConnect) || static_cast<bool>(o.Tool()->OnCalcRefPoint) ||
           o.Generator().RTOptions().Contains(TRuntimeOption::roNosy);
}

// The objects whose place decides Obj's; nil where there is none.
std::array<const TvlObject*, 2> MastersOf(const TvlObject& o) {
    using enum TIndividualFlag;
    std::array<const TvlObject*, 2> m{};
    if (o.State.Contains(isSlave) || o.State.Contains(isP1Slave)) m[0] = o.Pos.ConObj;
    if (o.State.Contains(isP2Slave))
        if (const auto* l = dynamic_cast<const TLineObj*>(&o)) m[1] = l->Pos2.ConObj;
    if (m[1] == m[0]) m[1] = nullptr;
    return m;
}

// Chains of masters are short; a cycle must not recurse for ever.
constexpr int32_t MaxChainDepth = 32;

} // namespace

void TvlLayer::LinkMasters(TvlObject& Obj, bool Always) {
    if (Always) return;
    const auto m = MastersOf(Obj);
    if (!m[0] && !m[1]) return;
    FMastersOf[&Obj] = m;
    for (const TvlObject* master : m)
        if (master) FDependants.emplace(master, &Obj);
}

void TvlLayer::UnlinkMasters(const TvlObject& Obj) {
    if (FMastersOf.empty()) return;
    const auto it = FMastersOf.find(&Obj);
    if (it == FMastersOf.end()) return;
    for (const TvlObject* master : it->second) {
        if (!master) continue;
        auto [b, e] = FDependants.equal_range(master);
        for (; b != e; ++b)
            if (b->second == &Obj) {
                FDependants.erase(b);
                break;
            }
    }
    FMastersOf.erase(it);
}

bool TvlLayer::SameMasters(const TvlObject& Obj, bool Always) const {
    using TMasters = std::array<const TvlObject*, 2>;
    const auto it = FMastersOf.find(&Obj);
    const TMasters filed = it == FMastersOf.end() ? TMasters{} : it->second;
    return filed == (Always ? TMasters{} : MastersOf(Obj));
}

// Objects to be asked always are filed with empty limits.
bool TvlLayer::FileUnder(TvlObject& Obj) {
    const bool always = AlwaysCandidate(Obj);
    if (always) Obj.FMaxLim = TPackedLimits();
    return always;
}

void TvlLayer::IndexInsert(TvlObject& Obj) {
    if (!(Obj.GetSizing() && !ActScaleSet)) Obj.FMaxLim.Set(Obj.GetMaxLimits());
    LinkMasters(Obj, FileUnder(Obj));
    FIndex.Insert(&Obj, Obj.StoredLimits());
}

void TvlLayer::IndexErase(TvlObject& Obj) {
    UnlinkMasters(Obj);
    FIndex.Erase(&Obj, Obj.StoredLimits());
}

void TvlLayer::ClearIndex() {
    FIndex.Clear();
    FDependants.clear();
    FMastersOf.clear();
}

void TvlLayer::CheckEpoch() {
    if (FEpoch != TCustomGenerator::GeometryEpoch()) RebuildIndex();
}

void TvlLayer::Refile(TvlObject& Obj, const TLimRec& Old) {
    const bool always = FileUnder(Obj);
    const TLimRec now = Obj.StoredLimits();
    if (Old == now && SameMasters(Obj, always)) return;
    FIndex.Erase(&Obj, Old);
    UnlinkMasters(Obj);
    LinkMasters(Obj, always);
    FIndex.Insert(&Obj, now);
}

void TvlLayer::RefileDependants(const TvlObject& Master, int32_t Depth) {
    if (FDependants.empty() || Depth > MaxChainDepth) return;
    auto [b, e] = FDependants.equal_range(&Master);
    if (b == e) return;
    // Refiling edits the map.
    std::vector<TvlObject*> deps;
    for (; b != e; ++b) deps.push_back(b->second);
    for (TvlObject* d : deps) {
        const TLimRec old = d->StoredLimits();
        if (!(d->GetSizing() && !ActScaleSet)) d->FMaxLim.Set(d->GetMaxLimits());
        Refile(*d, old);
        RefileDependants(*d, Depth + 1);
    }
}

void TvlLayer::Reindex(TvlObject& Obj, const TLimRec& Old) {
    if (Contains(&Obj)) {
        if (FEpoch != TCustomGenerator::GeometryEpoch()) {
            // The whole index is stale: Old may not be where the object is filed.
            RebuildIndex();
            return;
        }
        Refile(Obj, Old);
    }
    // A master outside the layer (a creator's box object) moves its dependants too.
    RefileDependants(Obj, 0);
}

void TvlLayer::RebuildIndex() {
    FEpoch = TCustomGenerator::GeometryEpoch();
    ClearIndex();
    for (auto& slot : FItems)
        if (slot) IndexInsert(*slot);
}

void TvlLayer::Renumber() const {
    const int32_t n = Count();
    for (int32_t i = FNumbered; i < n; ++i)
        if (TvlObject* o = FItems[static_cast<size_t>(i)].get()) o->FListPos = i;
    FNumbered = n;
}

bool TvlLayer::Contains(const TvlObject* Obj) const { return Obj && IndexOf(Obj) >= 0; }

int32_t TvlLayer::IndexOf(const TvlObject* Item) const {
    if (!Item) return TObjectSequence::IndexOf(Item);
    Renumber();
    const int32_t i = Item->FListPos;
    return i >= 0 && i < Count() && FItems[static_cast<size_t>(i)].get() == Item ? i : -1;
}

void TvlLayer::Candidates(const TLimRec& Area, std::vector<int32_t>& Out) {
    CheckEpoch();
    if (FIndex.WantsPacking()) FIndex.Pack(FItems);
    std::vector<TvlObject*> found = std::move(FFound);
    found.clear();
    FIndex.Query(Area, found);
    Renumber();
    Out.clear();
    for (const TvlObject* o : found) Out.push_back(o->FListPos);
    // Packed cells keep list order: a search within one cell comes sorted.
    if (!std::is_sorted(Out.begin(), Out.end())) std::sort(Out.begin(), Out.end());
    Out.erase(std::unique(Out.begin(), Out.end()), Out.end());
    FFound = std::move(found);
}

void TvlLayer::AllObjectsIn(const TLimRec& Area, TAllObjectsProc Action) {
    // A rebuild of the limits needs every object.
    if (State.Contains(lsNewLimits)) {
        AllObjects(Action);
        return;
    }
    std::vector<int32_t> order = std::move(FOrder);
    Candidates(Area, order);
    for (const int32_t i : order)
        if (i < Count())
            if (TvlObject* o = Get(i)) Action(o);
    FOrder = std::move(order);
}

int32_t TvlLayer::SearchIn(const TLimRec& Area, TFirstObjectFunc Condition, bool Backward) {
    std::vector<int32_t> order = std::move(FOrder);
    Candidates(Area, order);
    const int32_t s = Start();
    // The same two passes as the full search, over the candidates only.
    const auto split = std::lower_bound(order.begin(), order.end(), s) - order.begin();
    auto test = [&](size_t k) {
        const int32_t i = order[k];
        TvlObject* o = i < Count() ? Get(i) : nullptr;
        return o && Condition(o);
    };
    int32_t hit = -1;
    bool wrapped = false;
    const auto n = static_cast<ptrdiff_t>(order.size());
    if (!Backward) {
        for (ptrdiff_t k = split; k < n && hit < 0; ++k)
            if (test(k)) hit = order[k];
        for (ptrdiff_t k = 0; k < split && hit < 0 && s > 0; ++k)
            if (test(k)) hit = order[k], wrapped = true;
    } else {
        // Backward runs below the start first (below Count when it is 0), then from the end down to it.
        const ptrdiff_t below = s < 1 ? n : split;
        for (ptrdiff_t k = below - 1; k >= 0 && hit < 0; --k)
            if (test(k)) hit = order[k];
        for (ptrdiff_t k = n - 1; k >= split && hit < 0 && s >= 1; --k)
            if (test(k)) hit = order[k], wrapped = true;
    }
    FOrder = std::move(order);
    if (Backward && wrapped) FStartIndex = 0;
    return hit;
}

TvlObject* TvlLayer::FirstObjectIn(const TLimRec& Area, TFirstObjectFunc Condition) {
    if (Count() == 0) return nullptr;
    const int32_t i = SearchIn(Area, Condition, false);
    FStartIndex = 0;
    return i >= 0 ? Get(i) : nullptr;
}

TvlObject* TvlLayer::LastObjectIn(const TLimRec& Area, TFirstObjectFunc Condition) {
    if (Count() == 0) return nullptr;
    const int32_t i = SearchIn(Area, Condition, true);
    return i >= 0 ? Get(i) : nullptr;
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
            TvlObject& loaded = *o;
            FItems.push_back(std::move(o));
            ForgetZOrder();
            IndexInsert(loaded);
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

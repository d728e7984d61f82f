#pragma once
// TvlLayer: a list of drawing objects that owns them, with a name, a
// visibility switch, limits that only grow as objects are added or drawn,
// stacking, removal of deleted objects and its record in the drawing stream.
// Objects come in and go out only as std::unique_ptr.

#include <algorithm>
#include <cstdint>
#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

#include "velloran/foundations/types.h"
#include "velloran/objects/object_sequence.h"
#include "velloran/objects/spatial_grid.h"

namespace vl {

class TComponent;
class TObject;

/// Terminates a layer's object records.
inline constexpr uint16_t LayerEndMark = 0x8001;

/// A named list of drawing objects that owns them, with visibility, limits and its stream record.
class TvlLayer : public TObjectSequence<std::unique_ptr<TvlObject>> {
public:
    /// An empty layer named aName with room for aCapacity objects.
    explicit TvlLayer(const String& aName = {}, int32_t aCapacity = 0);
    /// Frees every object.
    ~TvlLayer() override;

    /// Name, object records and end mark; stops early when the user breaks.
    void SaveToStream(TStream& Stream) override;
    /// While the limits are being rebuilt (lsNewLimits) every visited item
    /// also widens them; the flag is cleared at the end.
    void AllObjects(TAllObjectsProc Action) override;
    void AllObjectsBack(TAllObjectsProc Action) override;
    /// Appends the object records up to the end mark; AOwner holds the
    /// creators. A truncated stream or an unknown class number raises the
    /// silent abort; the objects read so far stay for the caller to discard.
    virtual void LoadFromStream(TStream& Stream, TComponent* AOwner);

    String GetName() const;
    /// An empty text removes the name.
    void SetName(const String& Value);

    bool GetVisible() const { return !State.Contains(TListFlag::lsHidden); }
    void SetVisible(bool Value);
    /// Toggles the visibility; a menu item as Sender gets the new state as
    /// its check mark.
    void Switch(TObject* Sender);

    /// Takes ownership; z-ordered, widening the limits.
    int32_t Add(std::unique_ptr<TvlObject> Item);
    /// Hands the object back and closes the gap; nullptr when absent.
    std::unique_ptr<TvlObject> Remove(const TvlObject* Item);
    /// Hands the object back and leaves nil in its place, as a walk may.
    std::unique_ptr<TvlObject> TakeAt(int32_t Index);
    /// New index, or -1 when Item is not in the layer. With ZOrder false the
    /// object goes to the very front or back regardless of its ZOrder.
    int32_t BringToFront(TvlObject* Item, bool ZOrder);
    int32_t SendToBack(TvlObject* Item, bool ZOrder);
    /// Removes and frees the objects flagged isDeleted.
    void DeleteObjects();
    /// Frees every object; the entries stay as nil until the caller clears
    /// or packs the list.
    void FreeAll();
    /// Frees every object and empties the list.
    void Clear();

    TLimRec GetLimits() const { return {FminX, FminY, FmaxX, FmaxY}; }
    int32_t GetMaxX() const { return FmaxX; }
    int32_t GetminX() const { return FminX; }
    int32_t GetmaxY() const { return FmaxY; }
    int32_t GetminY() const { return FminY; }
    /// Empty limits, lsNewLimits set.
    void InitLimits();
    void RecalcLimits();
    void CheckLimits(const TvlObject& Item);
    /// With inclBorder false an object touching the limits counts as outside.
    bool IsOutsideLimits(const TvlObject& Item, bool inclBorder) const;
    /// Has the document repaint the layer's limits.
    void Invalidate();

    // ---- Area searches ------------------------------------------------------
    /// The index narrows the objects to those whose stored limits meet Area
    /// (plus objects placed by a callback, unresolved ones and those that
    /// follow the view); they are visited in list order, so whenever Action or
    /// Condition only acts on objects whose maximal limits meet Area, the
    /// result is the full walk's.
    void AllObjectsIn(const TLimRec& Area, TAllObjectsProc Action);
    /// FirstObjectWith over the objects that may meet Area.
    TvlObject* FirstObjectIn(const TLimRec& Area, TFirstObjectFunc Condition);
    /// LastObjectWith over the objects that may meet Area.
    TvlObject* LastObjectIn(const TLimRec& Area, TFirstObjectFunc Condition);
    /// Re-files Obj, whose stored limits were Old, and the objects hanging on
    /// it (down their chains); nothing when Obj is elsewhere.
    void Reindex(TvlObject& Obj, const TLimRec& Old);
    /// Stores every object's limits again and refills the index (scale changes).
    void RebuildIndex();
    bool Contains(const TvlObject* Obj) const;
    /// The object's index, -1 when absent; constant time once numbered.
    int32_t IndexOf(const TvlObject* Item) const;

protected:
    void SlotsShifted(int32_t From) override { FNumbered = std::min(FNumbered, From); }

private:
    void IndexInsert(TvlObject& Obj);
    void IndexErase(TvlObject& Obj);
    void ClearIndex();
    /// Whether Obj must be asked by every search; its stored limits are then empty.
    static bool FileUnder(TvlObject& Obj);
    /// Files Obj again unless its limits and masters are as filed.
    void Refile(TvlObject& Obj, const TLimRec& Old);
    void RefileDependants(const TvlObject& Master, int32_t Depth);
    /// Masters are remembered as filed: links may change before the layer hears of it.
    void LinkMasters(TvlObject& Obj, bool Always);
    void UnlinkMasters(const TvlObject& Obj);
    bool SameMasters(const TvlObject& Obj, bool Always) const;
    void Renumber() const;
    /// Rebuilds when a generator changed shape since the last build.
    void CheckEpoch();
    /// Indices of the candidates for Area, ascending and without repeats.
    void Candidates(const TLimRec& Area, std::vector<int32_t>& Out);
    /// The cyclic search of FirstIndexWith/LastIndexWith over Candidates.
    int32_t SearchIn(const TLimRec& Area, TFirstObjectFunc Condition, bool Backward);

    TSpatialGrid FIndex;
    /// Objects filed by limits that follow a master: master to dependants,
    /// and each dependant's masters as filed.
    std::unordered_multimap<const TvlObject*, TvlObject*> FDependants;
    std::unordered_map<const TvlObject*, std::array<const TvlObject*, 2>> FMastersOf;
    /// The generators' geometry count the index was built under.
    uint32_t FEpoch = 0;
    /// Objects below this index know their place.
    mutable int32_t FNumbered = 0;
    /// Reused between queries; a query inside a walk takes fresh ones.
    std::vector<TvlObject*> FFound;
    std::vector<int32_t> FOrder;
    int32_t FminX = EmptyLimMin;
    int32_t FminY = EmptyLimMin;
    int32_t FmaxX = EmptyLimMax;
    int32_t FmaxY = EmptyLimMax;
    /// Zero-terminated; nullptr when the layer has no name.
    std::unique_ptr<char16_t[]> FName;
};

} // namespace vl

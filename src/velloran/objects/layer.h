#pragma once
// TvlLayer: a list of drawing objects that owns them, with a name, a
// visibility switch, limits that only grow as objects are added or drawn,
// stacking, removal of deleted objects and its record in the drawing stream.
// Objects come in and go out only as std::unique_ptr.

#include <cstdint>
#include <memory>

#include "velloran/foundations/types.h"
#include "velloran/objects/object_sequence.h"

namespace vl {

class TComponent;
class TObject;

// Terminates a layer's object records.
inline constexpr uint16_t LayerEndMark = 0x8001;

class TvlLayer : public TObjectSequence<std::unique_ptr<TvlObject>> {
public:
    explicit TvlLayer(const String& aName = {}, int32_t aCapacity = 0);
    // Frees every object.
    ~TvlLayer() override;

    // Name, object records and end mark; stops early when the user breaks.
    void SaveToStream(TStream& Stream) override;
    // While the limits are being rebuilt (lsNewLimits) every visited item
    // also widens them; the flag is cleared at the end.
    void AllObjects(TAllObjectsProc Action) override;
    void AllObjectsBack(TAllObjectsProc Action) override;
    // Appends the object records up to the end mark; AOwner holds the
    // creators. A truncated stream or an unknown class number raises the
    // silent abort; the objects read so far stay for the caller to discard.
    virtual void LoadFromStream(TStream& Stream, TComponent* AOwner);

    String GetName() const;
    // An empty text removes the name.
    void SetName(const String& Value);

    bool GetVisible() const { return !State.Contains(TListFlag::lsHidden); }
    void SetVisible(bool Value);
    // Toggles the visibility; a menu item as Sender gets the new state as
    // its check mark.
    void Switch(TObject* Sender);

    // Takes ownership; z-ordered, widening the limits.
    int32_t Add(std::unique_ptr<TvlObject> Item);
    // Hands the object back and closes the gap; nullptr when absent.
    std::unique_ptr<TvlObject> Remove(const TvlObject* Item);
    // Hands the object back and leaves nil in its place, as a walk may.
    std::unique_ptr<TvlObject> TakeAt(int32_t Index);
    // New index, or -1 when Item is not in the layer. With ZOrder false the
    // object goes to the very front or back regardless of its ZOrder.
    int32_t BringToFront(TvlObject* Item, bool ZOrder);
    int32_t SendToBack(TvlObject* Item, bool ZOrder);
    void DeleteObjects();
    // Frees every object; the entries stay as nil until the caller clears
    // or packs the list.
    void FreeAll();
    // Frees every object and empties the list.
    void Clear();

    TLimRec GetLimits() const { return {FminX, FminY, FmaxX, FmaxY}; }
    int32_t GetMaxX() const { return FmaxX; }
    int32_t GetminX() const { return FminX; }
    int32_t GetmaxY() const { return FmaxY; }
    int32_t GetminY() const { return FminY; }
    // Empty limits, lsNewLimits set.
    void InitLimits();
    void RecalcLimits();
    void CheckLimits(const TvlObject& Item);
    // With inclBorder false an object touching the limits counts as outside.
    bool IsOutsideLimits(const TvlObject& Item, bool inclBorder) const;
    // Has the document repaint the layer's limits.
    void Invalidate();

private:
    int32_t FminX = EmptyLimMin;
    int32_t FminY = EmptyLimMin;
    int32_t FmaxX = EmptyLimMax;
    int32_t FmaxY = EmptyLimMax;
    // Zero-terminated; nullptr when the layer has no name.
    std::unique_ptr<char16_t[]> FName;
};

} // namespace vl

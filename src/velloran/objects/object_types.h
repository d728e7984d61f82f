#pragma once
// The records, flags and enumerations of the drawing object model.

#include <cstdint>
#include <functional>
#include <memory>

#include "velloran/foundations/scoped_value.h"
#include "velloran/foundations/set.h"
#include "velloran/foundations/types.h"
#include "velloran/platform/colors.h"

namespace vl {

class TvlObject;
class TObjectTool;

/// A stored link to another object: the pair (creator's class number, ObjID)
/// until it is connected, then the reference. A zero pair without a
/// reference is nil. The reference has storage of its own, so connecting
/// never overwrites anything that is stored.
struct TContype {
    TvlObject* ConObj = nullptr;
    int16_t ConType = 0;
    uint16_t ConID = 0;

    bool IsNil() const { return ConObj == nullptr && ConType == 0 && ConID == 0; }
};

/// Position record. A free object uses x, y; a slave uses the link, RelPos
/// and RelX, RelY (its offset from the master's reference point). On streams
/// the link pair and RelPos take the place of x and y.
struct TPos : TContype {
    int32_t x = 0;
    int32_t y = 0;
    int32_t RelPos = 0;
    int16_t RelX = 0;
    int16_t RelY = 0;

    TPoint PosLog() const { return {x, y}; }
    void SetPosLog(TPoint p) { x = p.X; y = p.Y; }
};

/// State flags of one drawing object.
/// Bit i is flag i; stored in 16 bits.
enum class TIndividualFlag : uint8_t {
    isVisible,
    isMarked,
    isDeleted,
    isCantMove,
    isSlave,
    isP1Slave,
    isP2Slave,
    isConnect,
    isNoHorzLimit,
    isNoVertLimit,
    isSelected,
    isSizing,
    isCorrect,
    isUserMark,
};
using TIndividualState = TSet<TIndividualFlag, uint16_t>;
static_assert(TIndividualState{TIndividualFlag::isSlave}.Bits() == 0x0010 &&
              TIndividualState{TIndividualFlag::isUserMark}.Bits() == 0x2000);

/// The operation an object is asked to take part in (Involved).
enum class TInvolve : uint8_t { invMove, invDelete, invCopy };
/// What a frame test checks against: a point, a rectangle or a bounding box.
enum class TCheckFrame : uint8_t { cfPoint, cfRect, cfLimRec };
/// Whether a sizing call shapes the object or only tests a handle.
enum class TSizeMode : uint8_t { smShape, smCheck };
/// The sizing handles of an object; szNone when none is hit.
enum class TSizingHandle : uint8_t {
    szNone, szVLine1, szVLine2, szHLine1, szHLine2, szX1Y1, szX2Y2, szX1Y2, szX2Y1, szRotate
};
/// Whether a shape region is made in device pixels or logical units.
enum class TRgnMode : uint8_t { rmDev, rmLog };
/// Whether a selection call selects or unselects.
enum class TSelectMode : uint8_t { smSelect, smUnselect };

/// A class reference: makes an object of one class for a creator.
using TCapClass = std::unique_ptr<TvlObject> (*)(TObjectTool* ATool);
template <typename T> std::unique_ptr<TvlObject> CapClassOf(TObjectTool* ATool) { return std::make_unique<T>(ATool); }

using TObjectEvent = std::function<void(TvlObject* CurrentObject)>;

/// Default divisor of rounded corners (a creator's Tag overrides it).
inline int32_t RoundRectX3 = 2;
/// Pen colour of the outlines objects show while they move.
inline TColor clShadowPen = clBlack;
/// Colour of the text a moving object shows.
inline TColor clShadowText = 0x808080;
/// The handle being dragged; szNone when no sizing runs.
inline TSizingHandle SizingHandle = TSizingHandle::szNone;

/// Holds a handle as the one being dragged for one scope.
class TSizingHandleScope : TScopedValue<TSizingHandle> {
public:
    explicit TSizingHandleScope(TSizingHandle Handle) : TScopedValue(SizingHandle, Handle) {}
};

} // namespace vl

#pragma once
// TObjectTool: what an object may ask of the creator that made it. Creators
// implement it; an object keeps its tool for life.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "velloran/foundations/types.h"
#include "velloran/objects/object_types.h"
#include "velloran/platform/cursors.h"
#include "velloran/platform/region.h"

namespace vl {

class TComponent;
class TCustomGenerator;
class TObjectView;

using TObjectCheckEvent = std::function<void(TvlObject* CurrentObject, const TLimRec& PosRect, bool& found)>;
using TObjectRefPointEvent = std::function<void(TvlObject* CurrentObject, TPoint& RefPoint)>;
using TObjectShapeRgnEvent =
    std::function<void(TvlObject* CurrentObject, TRgnMode Mode, std::optional<TRegion>& Rgn)>;

/// What an object may ask of the creator that made it.
class TObjectTool {
public:
    /// The style template of the tool's objects.
    virtual TCustomGenerator& Generator() const = 0;
    /// The view the tool works on; nullptr while it is not linked to one.
    virtual TObjectView* View() const = 0;
    /// The identity stored with every object of this tool.
    virtual int16_t GetID() = 0;
    /// Shown while the mouse rests on one of the tool's objects.
    virtual TCursor Cursor() const = 0;
    /// Above 0: the divisor of the objects' rounded corners.
    virtual int32_t Tag() const = 0;
    /// Pen, brush and font of the canvas in force for CurObject.
    virtual void ObjectColors(TvlObject* CurObject) = 0;
    /// An object of the tool's class: not counted, not added. nullptr when
    /// the application chose no class.
    virtual std::unique_ptr<TvlObject> CreateObject() = 0;

    /// The application's hooks into shaping, drawing and hit-testing the
    /// tool's objects.
    TObjectEvent OnObjectShape;
    /// Draws an object instead of its own shape.
    TObjectEvent OnObjectDraw;
    /// Decides whether a hit on an object counts.
    TObjectCheckEvent OnObjectCheckShape;
    /// Moves an object's reference point.
    TObjectRefPointEvent OnCalcRefPoint;
    /// Supplies an object's shape region.
    TObjectShapeRgnEvent OnObjectShapeRgn;

protected:
    ~TObjectTool() = default;
};

/// ID < 0: the last tool among Owner's components whose GetID is ID.
/// ID >= 0: Owner's component at index ID if it is a tool. Else nullptr.
TObjectTool* FindObjectTool(const TComponent* Owner, int32_t ID);

} // namespace vl

#pragma once
// TObjectView: what objects and their document may ask of the view that
// shows them. The draw box implements it.

#include "velloran/foundations/types.h"
#include "velloran/platform/colors.h"
#include "velloran/platform/cursors.h"

namespace vl {

class TObjectDocument;
class TScaleSetting;
class TShadows;
class TvlObject;

/// What objects and their document may ask of the view that shows them.
class TObjectView {
public:
    /// The document the view shows; nullptr without one.
    virtual TObjectDocument* ObjectDocument() const = 0;
    virtual const TShadows& Shadows() const = 0;
    /// Colour of object marks.
    virtual TColor clMarkPen() const = 0;
    /// Repaints the logical area at once.
    virtual void UpdateRect(const TLimRec& LimRec) = 0;
    virtual void SetCursor(TCursor Value) = 0;
    /// The object under the mouse, shared by the view's tools.
    virtual TvlObject* MouseFnd() const = 0;
    virtual void SetMouseFnd(TvlObject* Value) = 0;
    /// Invalidates the document's restore rectangle unless it is empty.
    virtual void InvalidateChanges() = 0;
    /// The view's own mapping, in which a loaded drawing reads its coordinates.
    virtual TScaleSetting& ScaleSetting() = 0;
    /// The document's drawing was replaced: the scroll range is computed afresh.
    virtual void DrawingReplaced() = 0;

protected:
    ~TObjectView() = default;
};

} // namespace vl

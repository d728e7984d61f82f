#pragma once
// What fitting a drawing to the view needs from the document and its objects.

#include "velloran/foundations/function_ref.h"

#include "velloran/foundations/types.h"

namespace vl {

/// An object whose size may depend on the drawing scale (such as texts with a
/// fixed device font height).
class TScaleObject {
public:
    virtual void AdjustToScale() = 0;

protected:
    ~TScaleObject() = default;
};

/// What fitting a drawing to the view needs from its document.
class TScaleDocument {
public:
    using TScaleStep = TFunctionRef<void(TScaleObject& AnyObject)>;

    /// Bounding box of every counted object; empty (Xmin > Xmax) without objects.
    virtual TLimRec GetLimits() = 0;
    /// Forgets the limits; the next full walk rebuilds them.
    virtual void InitLimits() = 0;
    /// Calls Step for every object of the visible layers.
    virtual void AllObjects(TScaleStep Step) = 0;

protected:
    ~TScaleDocument() = default;
};

} // namespace vl

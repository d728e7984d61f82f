#pragma once
// TViewTool: a tool as its draw box sees it. The draw box hands it every
// mouse and key event in logical coordinates, lets it scroll while it drags
// at an edge and tells it of scale changes and finished paints. TMouseTool
// implements it.

#include <cstdint>
#include <functional>

#include "velloran/document/environment.h"
#include "velloran/foundations/types.h"
#include "velloran/platform/window_host.h"

namespace vl {

class TCustomDrawBox;

/// One scroll step of the draw box towards the edge the cursor is at.
using TScrollProc = std::function<void()>;

/// A tool as its draw box sees it: input, edge scrolling, scale and paint notices.
class TViewTool : public TEnvironment {
public:
    using TEnvironment::TEnvironment;

    /// The draw box the tool is linked to; nullptr while there is none.
    TCustomDrawBox* DrawForm() const;

    virtual void Init() = 0;
    virtual void Activate(TObject* Sender) = 0;
    /// The tool stops being current.
    virtual void Terminate() = 0;
    virtual void LMouseDown(TShiftState Shift, TPoint CurPos) = 0;
    virtual void LMouseUp(TShiftState Shift, TPoint CurPos) = 0;
    virtual void MouseMove(TShiftState Shift, TPoint CurPos) = 0;
    virtual void LeftDblClk(TShiftState Shift, TPoint CurPos) = 0;
    virtual void RMouseDown(TShiftState Shift, TPoint CurPos) = 0;
    virtual void RMouseUp(TShiftState Shift, TPoint CurPos) = 0;
    virtual void RightDblClk(TShiftState Shift, TPoint CurPos) = 0;
    virtual bool KeyDown(uint16_t& aKey, TShiftState aShift) = 0;
    virtual bool KeyUp(uint16_t& aKey, TShiftState aShift) = 0;
    virtual void Scroll(const TScrollProc& ScrollProc, TPoint CurPos) = 0;
    /// The tool the draw box falls back to.
    virtual bool IsDefaultTool() const = 0;
    /// The draw box scrolls while the cursor stays at an edge.
    virtual bool CanScroll() const = 0;
    /// The scale changed; only creators act on it.
    virtual void CheckScaling() {}
    /// A paint ended; only creators act on it.
    virtual void ReleaseResources() {}

private:
    /// The cast of DrawForm, redone only when the link changed: a mouse move
    /// asks for it several times.
    mutable TCustomDrawBox* FBox = nullptr;
    mutable uint32_t FBoxFor = ~0u;
};

} // namespace vl

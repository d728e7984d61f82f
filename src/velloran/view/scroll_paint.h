#pragma once
// The scrolling control that paints: a paint message binds the canvas and
// calls the virtual Paint that the draw box overrides. The non-scroll areas
// can be read and written in logical units through the canvas mapping.

#include <string>

#include "velloran/view/scroll_bx.h"

namespace vl {

class TCanvas;

/// The scrolling control that paints: a paint message calls the virtual Paint.
class TScrollPaint : public TScrollBx {
public:
    explicit TScrollPaint(TComponent* AOwner = nullptr) : TScrollBx(AOwner) {}

    std::string ClassName() const override { return "TScrollPaint"; }

    /// Paint message.
    void Paint(TCanvas& DC, const TRect& updateRect) override;
    /// Binds the canvas to DC for the time of Paint.
    void PaintWindow(TCanvas& DC);
    /// Paints with Canvas() bound to the paint surface; the draw box overrides it.
    virtual void Paint() {}
    bool Painting() const { return FCanvas != nullptr; }
    /// The paint surface while painting, otherwise GetDeviceContext.
    TCanvas* Canvas() { return FCanvas ? FCanvas : GetDeviceContext(); }

    /// All zero while no area is set.
    TRect GetNonScrollH_Log();
    TRect GetNonScrollV_Log();
    void SetNonScrollH_Log(const TRect& Rect);
    void SetNonScrollV_Log(const TRect& Rect);

protected:
    /// A surface outside painting: the window's own canvas; nullptr without a window.
    virtual TCanvas* GetDeviceContext();

private:
    TRect ToLog(const TRect* r);
    TRect ToDevice(const TRect& r);

    /// Not owned: bound only while a paint message is handled.
    TCanvas* FCanvas = nullptr;
};

} // namespace vl

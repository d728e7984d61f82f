#include "velloran/view/draw_box.h"

// Mouse, key and drag messages, handed on in logical units.

#include "velloran/platform/canvas.h"
#include "velloran/view/view_tool.h"

namespace vl {

// ---- Messages ---------------------------------------------------------------------------

void TCustomDrawBox::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (!FTool || State.Contains(TBoxStateItem::bsToolScroll)) return;
    const TPoint p = DeviceToLog({X, Y});
    ActScaleSet = FScaleSetting.get();
    TScrollPaint::MouseDown(Button, Shift, p.X, p.Y);
    // The application's handler may have switched tools or freed this one.
    if (!FTool) return;
    if (Button == TMouseButton::mbLeft) {
        if (Shift.Contains(TShiftStateItem::ssDouble))
            FTool->LeftDblClk(Shift, p);
        else
            FTool->LMouseDown(Shift, p);
    } else if (Button == TMouseButton::mbRight) {
        FTool->RMouseDown(Shift, p);
    }
}

void TCustomDrawBox::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
    if (!FTool || State.Contains(TBoxStateItem::bsToolScroll)) return;
    ActScaleSet = FScaleSetting.get();
    if (AutoScroll() && FTool->CanScroll()) doToolScroll({X, Y});
    if (!FTool) return;
    const TPoint p = DeviceToLog({X, Y});
    FTool->MouseMove(Shift, p);
    TScrollPaint::MouseMove(Shift, p.X, p.Y);
}

void TCustomDrawBox::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (!FTool) return;
    const TPoint p = DeviceToLog({X, Y});
    ActScaleSet = FScaleSetting.get();
    TScrollPaint::MouseUp(Button, Shift, p.X, p.Y);
    if (!FTool) return;
    if (Button == TMouseButton::mbLeft)
        FTool->LMouseUp(Shift, p);
    else if (Button == TMouseButton::mbRight)
        FTool->RMouseUp(Shift, p);
}

void TCustomDrawBox::KeyDown(uint16_t& Key, TShiftState Shift) {
    ActScaleSet = FScaleSetting.get();
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
    if (FTool) FTool->KeyDown(Key, Shift);
}

void TCustomDrawBox::KeyUp(uint16_t& Key, TShiftState Shift) {
    ActScaleSet = FScaleSetting.get();
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
    if (FTool) FTool->KeyUp(Key, Shift);
}

void TCustomDrawBox::KeyPress(char16_t& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TCustomDrawBox::DragOver(TObject* Source, int32_t X, int32_t Y, TDragState DState, bool& Accept) {
    const TPoint p = DeviceToLog({X, Y});
    ActScaleSet = FScaleSetting.get();
    if (OnDragOver) OnDragOver(this, Source, p.X, p.Y, DState, Accept);
}

void TCustomDrawBox::DragDrop(TObject* Source, int32_t X, int32_t Y) {
    const TPoint p = DeviceToLog({X, Y});
    ActScaleSet = FScaleSetting.get();
    if (OnDragDrop) OnDragDrop(this, Source, p.X, p.Y);
}

// ---- TvlDrawbox --------------------------------------------------------------------------

void TvlDrawbox::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (!Designing() && Host() && Button != TMouseButton::mbMiddle && !Host()->Focused()) {
        Host()->SetFocus();
        if (!Host()->Focused()) return;
    }
    TCustomDrawBox::MouseDown(Button, Shift, X, Y);
}

} // namespace vl

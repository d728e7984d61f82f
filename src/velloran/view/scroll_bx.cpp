#include "velloran/view/scroll_bx.h"

namespace vl {

void TScrollBx::SetBorderStyle(TBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    // A recreated window paints all of itself.
    if (TWindowHost* host = Host()) host->InvalidateAll(true);
}

void TScrollBx::Resize() {
    // The window repaints all of itself on any size change.
    if (TWindowHost* host = Host()) host->InvalidateAll(true);
    TScrollWinControl::Resize();
    if (!Loading()) DoResize();
}

void TScrollBx::DoResize() {
    if (OnResize) OnResize(this);
}

void TScrollBx::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TScrollBx::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TScrollBx::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TScrollBx::Enter() {
    if (OnEnter) OnEnter(this);
}

void TScrollBx::Exit() {
    if (OnExit) OnExit(this);
}

} // namespace vl

#include "velloran/platform/headless_window_host.h"

#include <algorithm>

#include "velloran/platform/canvas.h"

namespace vl {

namespace {

bool IsEmpty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

TRect Intersect(const TRect& a, const TRect& b) {
    return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
}

TRect Union(const TRect& a, const TRect& b) {
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

size_t KindIndex(TScrollBarKind kind) { return kind == TScrollBarKind::sbHorizontal ? 0 : 1; }

TShiftStateItem ButtonItem(TMouseButton b) {
    switch (b) {
    case TMouseButton::mbLeft: return TShiftStateItem::ssLeft;
    case TMouseButton::mbRight: return TShiftStateItem::ssRight;
    case TMouseButton::mbMiddle: return TShiftStateItem::ssMiddle;
    }
    return TShiftStateItem::ssLeft;
}

} // namespace

THeadlessWindowHost::THeadlessWindowHost(TWindowControl* Control, TSize ClientSize)
    : FNullCanvas(ClientSize), FWindowSize(ClientSize) {
    SetControl(Control);
}

THeadlessWindowHost::~THeadlessWindowHost() { SetControl(nullptr); }

void THeadlessWindowHost::SetControl(TWindowControl* Control) {
    if (Control == FControl) return;
    if (FControl && FControl->Host() == this) FControl->SetHost(nullptr);
    FControl = Control;
    if (FControl) FControl->SetHost(this);
}

// ---- Geometry -----------------------------------------------------------------

TRect THeadlessWindowHost::ClientRect() const {
    const int32_t w = FWindowSize.cx - (FScrollInfo[1].Visible ? FScrollBarSize : 0);
    const int32_t h = FWindowSize.cy - (FScrollInfo[0].Visible ? FScrollBarSize : 0);
    return {0, 0, std::max(w, 0), std::max(h, 0)};
}

void THeadlessWindowHost::ClientChanged(const TRect& before) {
    const TRect now = ClientRect();
    if (now == before) return;
    FNullCanvas.SetDeviceSize({now.Right, now.Bottom});
    // Only the uncovered parts need painting; a control that wants all of
    // itself repainted invalidates in Resize.
    if (now.Right > before.Right) AddInvalid({before.Right, 0, now.Right, now.Bottom}, true);
    if (now.Bottom > before.Bottom) AddInvalid({0, before.Bottom, now.Right, now.Bottom}, true);
    if (FInvalid) {
        *FInvalid = Intersect(*FInvalid, now);
        if (IsEmpty(*FInvalid)) FInvalid.reset();
    }
    if (FControl) FControl->Resize();
}

void THeadlessWindowHost::SetWindowSize(TSize Value) {
    const TRect before = ClientRect();
    FWindowSize = Value;
    ClientChanged(before);
}

void THeadlessWindowHost::SetScrollBarSize(int32_t Value) {
    const TRect before = ClientRect();
    FScrollBarSize = Value;
    ClientChanged(before);
}

// ---- Painting -----------------------------------------------------------------

void THeadlessWindowHost::AddInvalid(const TRect& r, bool erase) {
    const TRect clipped = Intersect(r, ClientRect());
    if (IsEmpty(clipped)) return;
    FInvalid = FInvalid ? Union(*FInvalid, clipped) : clipped;
    FInvalidErase = FInvalidErase || erase;
}

void THeadlessWindowHost::Invalidate(const TRect& r, bool erase) {
    FInvalidations.push_back({r, erase});
    AddInvalid(r, erase);
}

void THeadlessWindowHost::InvalidateAll(bool erase) { Invalidate(ClientRect(), erase); }

void THeadlessWindowHost::Update() {
    if (FInvalid) Paint();
}

bool THeadlessWindowHost::Paint() {
    if (!FInvalid) return false;
    const TRect r = *FInvalid;
    // Invalidations made while painting belong to the next paint.
    FInvalid.reset();
    FInvalidErase = false;
    FPaints.push_back(r);
    if (!FControl) return true;
    // A paint starts like a fresh device context: identity mapping, clipped
    // to the update area; whatever the control sets is dropped afterwards.
    TCanvas& c = Canvas();
    const int32_t saved = c.SaveDC();
    c.SetMapMode(TMapMode::mmText);
    c.SetWindowOrg({0, 0});
    c.SetViewportOrg({0, 0});
    c.SelectClipRgn(nullptr);
    c.IntersectClipRect(r);
    try {
        FControl->Paint(c, r);
    } catch (...) {
        c.RestoreDC(saved);
        throw;
    }
    c.RestoreDC(saved);
    return true;
}

void THeadlessWindowHost::ScrollWindow(int32_t dx, int32_t dy, const TRect* scrollRect) {
    const TRect client = ClientRect();
    const TRect R = scrollRect ? Intersect(*scrollRect, client) : client;
    FScrolls.push_back({dx, dy, R});
    if (IsEmpty(R) || (dx == 0 && dy == 0)) return;
    // Pixels waiting for a repaint moved with the rest; keep both places.
    if (FInvalid) {
        const TRect inside = Intersect(*FInvalid, R);
        if (!IsEmpty(inside))
            AddInvalid(Intersect({inside.Left + dx, inside.Top + dy, inside.Right + dx, inside.Bottom + dy}, R), FInvalidErase);
    }
    if (dx > 0) AddInvalid({R.Left, R.Top, std::min(R.Left + dx, R.Right), R.Bottom}, true);
    if (dx < 0) AddInvalid({std::max(R.Right + dx, R.Left), R.Top, R.Right, R.Bottom}, true);
    if (dy > 0) AddInvalid({R.Left, R.Top, R.Right, std::min(R.Top + dy, R.Bottom)}, true);
    if (dy < 0) AddInvalid({R.Left, std::max(R.Bottom + dy, R.Top), R.Right, R.Bottom}, true);
}

// ---- Scroll bars ----------------------------------------------------------------

void THeadlessWindowHost::SetScrollInfo(TScrollBarKind kind, const TScrollInfo& info) {
    ++FSetScrollInfoCount;
    const TRect before = ClientRect();
    TScrollInfo& si = FScrollInfo[KindIndex(kind)];
    si = info;
    // The bar's position stays inside what its range and page allow.
    const int32_t maxPos = std::max(si.Min, si.Max - std::max(si.Page - 1, 0));
    si.Pos = std::clamp(si.Pos, si.Min, maxPos);
    ClientChanged(before);
}

TScrollInfo THeadlessWindowHost::GetScrollInfo(TScrollBarKind kind) const { return FScrollInfo[KindIndex(kind)]; }

// ---- Focus and cursor -------------------------------------------------------------

void THeadlessWindowHost::SetFocus() {
    if (FFocused || !FAcceptsFocus) return;
    FFocused = true;
    if (FControl) FControl->Enter();
}

void THeadlessWindowHost::KillFocus() {
    if (!FFocused) return;
    FFocused = false;
    if (FControl) FControl->Exit();
}

TPoint THeadlessWindowHost::Confined(TPoint p) const {
    if (!FClip) return p;
    const TRect& c = *FClip;
    p.X = std::clamp(p.X, c.Left, std::max(c.Left, c.Right - 1));
    p.Y = std::clamp(p.Y, c.Top, std::max(c.Top, c.Bottom - 1));
    return p;
}

void THeadlessWindowHost::ClipCursor(const TRect* clientRect) {
    if (!clientRect) {
        FClip.reset();
        return;
    }
    const TRect& r = *clientRect;
    FClip = TRect{std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
                  std::max(r.Top, r.Bottom)};
    FCursorPos = Confined(FCursorPos);
}

void THeadlessWindowHost::SetCursorPos(TPoint p) {
    FCursorQueue.clear();
    FCursorPos = Confined(p);
}

TPoint THeadlessWindowHost::GetCursorPos() const {
    if (!FCursorQueue.empty()) {
        FCursorPos = Confined(FCursorQueue.front());
        FCursorQueue.pop_front();
    }
    return FCursorPos;
}

// ---- Messages ---------------------------------------------------------------------

TShiftState THeadlessWindowHost::WithButtons(TShiftState Shift) const {
    Shift -= TShiftState{TShiftStateItem::ssLeft, TShiftStateItem::ssRight, TShiftStateItem::ssMiddle};
    return Shift + FButtons;
}

void THeadlessWindowHost::SendMouseDown(TMouseButton Button, int32_t x, int32_t y, TShiftState Shift) {
    SetCursorPos({x, y});
    FButtons.Include(ButtonItem(Button));
    if (FControl) FControl->MouseDown(Button, WithButtons(Shift), FCursorPos.X, FCursorPos.Y);
}

void THeadlessWindowHost::SendMouseUp(TMouseButton Button, int32_t x, int32_t y, TShiftState Shift) {
    SetCursorPos({x, y});
    FButtons.Exclude(ButtonItem(Button));
    if (FControl) FControl->MouseUp(Button, WithButtons(Shift), FCursorPos.X, FCursorPos.Y);
}

void THeadlessWindowHost::SendMouseMove(int32_t x, int32_t y, TShiftState Shift) {
    SetCursorPos({x, y});
    if (FControl) FControl->MouseMove(WithButtons(Shift), FCursorPos.X, FCursorPos.Y);
}

void THeadlessWindowHost::SendDblClick(int32_t x, int32_t y, TShiftState Shift) {
    SendMouseDown(TMouseButton::mbLeft, x, y, Shift + TShiftState{TShiftStateItem::ssDouble});
    if (FControl) FControl->DblClick();
}

bool THeadlessWindowHost::SendMouseWheel(int32_t Delta, int32_t x, int32_t y, TShiftState Shift) {
    return FControl && FControl->MouseWheel(WithButtons(Shift), Delta, x, y);
}

uint16_t THeadlessWindowHost::SendKeyDown(uint16_t Key, TShiftState Shift) {
    if (FControl) FControl->KeyDown(Key, Shift);
    return Key;
}

uint16_t THeadlessWindowHost::SendKeyUp(uint16_t Key, TShiftState Shift) {
    if (FControl) FControl->KeyUp(Key, Shift);
    return Key;
}

char16_t THeadlessWindowHost::SendKeyPress(char16_t Key) {
    if (FControl) FControl->KeyPress(Key);
    return Key;
}

void THeadlessWindowHost::SendScroll(TScrollBarKind Kind, TScrollCode Code, int32_t Pos) {
    if (FControl) FControl->Scroll(Kind, Code, Pos);
}

void THeadlessWindowHost::ClearRecords() {
    FInvalidations.clear();
    FScrolls.clear();
    FPaints.clear();
    FSetScrollInfoCount = 0;
}

} // namespace vl

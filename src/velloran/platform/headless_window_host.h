#pragma once
// An in-memory window for tests: it hosts one TWindowControl, keeps a client
// size, an invalid area, scroll bars, focus and a cursor, records what the
// control asked of it, and delivers mouse, key and size messages on demand.

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "velloran/platform/null_canvas.h"
#include "velloran/platform/window_host.h"

namespace vl {

/// An in-memory window for tests that records what its control asked and delivers input on demand.
class THeadlessWindowHost : public TWindowHost {
public:
    /// One invalidation the control asked for.
    struct TInvalidation {
        TRect Rect;
        bool Erase = false;
    };
    /// One scroll of the client area the control asked for.
    struct TScrollRecord {
        int32_t dx = 0;
        int32_t dy = 0;
        TRect Rect; // the scrolled area
    };

    /// The control is not owned; it is told about the host (SetHost).
    explicit THeadlessWindowHost(TWindowControl* Control = nullptr, TSize ClientSize = {400, 300});
    ~THeadlessWindowHost() override;
    THeadlessWindowHost(const THeadlessWindowHost&) = delete;
    THeadlessWindowHost& operator=(const THeadlessWindowHost&) = delete;

    // ---- Set-up ------------------------------------------------------------
    void SetControl(TWindowControl* Control);
    TWindowControl* Control() const { return FControl; }
    /// Canvas for painting and for Canvas(); not owned. nullptr: a null canvas.
    void SetCanvas(TCanvas* Value) { FCanvas = Value; }
    /// Size of the window without scroll bars; the control hears Resize when
    /// its client area changes.
    void SetWindowSize(TSize Value);
    void SetScrollBarSize(int32_t Value);
    void SetShowing(bool Value) { FShowing = Value; }
    /// Screen position of the client area's top left corner.
    void SetClientOrigin(TPoint Value) { FClientOrigin = Value; }
    /// When false, SetFocus is refused (another window keeps the focus).
    void SetAcceptsFocus(bool Value) { FAcceptsFocus = Value; }

    // ---- Driving the control ----------------------------------------------
    /// Mouse messages move the cursor there (within a confinement) and carry
    /// the pressed buttons in Shift besides the given keys.
    void SendMouseDown(TMouseButton Button, int32_t x, int32_t y, TShiftState Shift = {});
    void SendMouseUp(TMouseButton Button, int32_t x, int32_t y, TShiftState Shift = {});
    void SendMouseMove(int32_t x, int32_t y, TShiftState Shift = {});
    /// MouseDown with ssDouble, then DblClick.
    void SendDblClick(int32_t x, int32_t y, TShiftState Shift = {});
    bool SendMouseWheel(int32_t Delta, int32_t x, int32_t y, TShiftState Shift = {});
    /// Return the key as the control left it.
    uint16_t SendKeyDown(uint16_t Key, TShiftState Shift = {});
    uint16_t SendKeyUp(uint16_t Key, TShiftState Shift = {});
    char16_t SendKeyPress(char16_t Key);
    void SendScroll(TScrollBarKind Kind, TScrollCode Code, int32_t Pos = 0);
    /// Focus moves away: the control hears Exit.
    void KillFocus();
    /// Places the cursor without a message (held inside a confinement).
    void SetCursorPos(TPoint p);
    /// Positions GetCursorPos returns next, one per call; when they are used
    /// up it keeps returning the last one. Lets a test script a polling loop.
    void QueueCursorPos(TPoint p) { FCursorQueue.push_back(p); }
    /// Paints the invalid area (if any) through the control; true if painted.
    bool Paint();

    // ---- Records -----------------------------------------------------------
    const std::vector<TInvalidation>& Invalidations() const { return FInvalidations; }
    /// Box around everything invalid, clipped to the client area; nullopt
    /// when nothing is.
    const std::optional<TRect>& InvalidRect() const { return FInvalid; }
    bool InvalidErase() const { return FInvalidErase; }
    const std::vector<TScrollRecord>& Scrolls() const { return FScrolls; }
    /// Update rectangles handed to the control's Paint, in order.
    const std::vector<TRect>& Paints() const { return FPaints; }
    int32_t SetScrollInfoCount() const { return FSetScrollInfoCount; }
    TCursor Cursor() const { return FCursor; }
    /// Confinement in client coordinates; nullopt when released.
    const std::optional<TRect>& CursorClip() const { return FClip; }
    void ClearRecords();

    // ---- TWindowHost -------------------------------------------------------
    TRect ClientRect() const override;
    bool Showing() const override { return FShowing; }
    void Invalidate(const TRect& r, bool erase) override;
    void InvalidateAll(bool erase = true) override;
    void Update() override;
    void ScrollWindow(int32_t dx, int32_t dy, const TRect* scrollRect = nullptr) override;
    TCanvas& Canvas() override { return FCanvas ? *FCanvas : FNullCanvas; }
    void SetScrollInfo(TScrollBarKind kind, const TScrollInfo& info) override;
    TScrollInfo GetScrollInfo(TScrollBarKind kind) const override;
    int32_t ScrollBarSize(TScrollBarKind) const override { return FScrollBarSize; }
    void SetFocus() override;
    bool Focused() const override { return FFocused; }
    void SetCursor(TCursor cursor) override { FCursor = cursor; }
    void ClipCursor(const TRect* clientRect) override;
    TPoint GetCursorPos() const override;
    TPoint ClientToScreen(TPoint p) const override { return {p.X + FClientOrigin.X, p.Y + FClientOrigin.Y}; }
    TPoint ScreenToClient(TPoint p) const override { return {p.X - FClientOrigin.X, p.Y - FClientOrigin.Y}; }

private:
    TShiftState WithButtons(TShiftState Shift) const;
    TPoint Confined(TPoint p) const;
    void AddInvalid(const TRect& r, bool erase);
    void ClientChanged(const TRect& before);

    TWindowControl* FControl = nullptr;
    TCanvas* FCanvas = nullptr;
    TNullCanvas FNullCanvas;
    TSize FWindowSize;
    int32_t FScrollBarSize = 0;
    bool FShowing = true;
    TPoint FClientOrigin;
    bool FAcceptsFocus = true;
    bool FFocused = false;
    TCursor FCursor = crDefault;
    std::optional<TRect> FClip;
    mutable TPoint FCursorPos;
    mutable std::deque<TPoint> FCursorQueue;
    TScrollInfo FScrollInfo[2];
    TShiftState FButtons;

    std::vector<TInvalidation> FInvalidations;
    std::optional<TRect> FInvalid;
    bool FInvalidErase = false;
    std::vector<TScrollRecord> FScrolls;
    std::vector<TRect> FPaints;
    int32_t FSetScrollInfoCount = 0;
};

} // namespace vl

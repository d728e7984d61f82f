#pragma once
// The two sides of a window: TWindowHost is what the platform offers a
// control of the core (invalidation, scrolling, scroll bars, focus, cursor),
// TWindowControl is what the platform calls on the control (paint, mouse,
// keys, size, scroll bars, focus). All positions are client pixels unless a
// name says screen.

#include <cstdint>

#include "velloran/foundations/set.h"
#include "velloran/foundations/types.h"
#include "velloran/platform/component.h"
#include "velloran/platform/cursors.h"

namespace vl {

class TCanvas;

/// A mouse button.
enum class TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

/// Keys and buttons held down with a mouse or key event.
enum class TShiftStateItem : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

/// A window's horizontal or vertical scroll bar.
enum class TScrollBarKind : uint8_t { sbHorizontal, sbVertical };

/// What the user did with a scroll bar; scPosition ends a thumb drag,
/// scTrack is sent while it lasts.
enum class TScrollCode : uint8_t {
    scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll
};

/// Settings of one scroll bar; the bar is shown exactly when Visible.
struct TScrollInfo {
    int32_t Min = 0;
    int32_t Max = 0;
    int32_t Page = 0;
    int32_t Pos = 0;
    bool Visible = false;
    friend bool operator==(const TScrollInfo&, const TScrollInfo&) = default;
};

/// True when the range Min..Max does not fit into one page, the rule by which
/// a window hides a scroll bar that has nothing to scroll.
constexpr bool ScrollBarNeeded(const TScrollInfo& si) {
    return si.Page > 0 ? int64_t{si.Max} - si.Min + 1 > si.Page : si.Max > si.Min;
}

/// What the platform offers a control of the core: invalidation, scrolling, scroll bars, focus and cursor.
class TWindowHost {
public:
    virtual ~TWindowHost() = default;

    /// Client area, (0, 0) at the top left; shown scroll bars are outside it.
    virtual TRect ClientRect() const = 0;
    /// The window exists and is visible on the screen.
    virtual bool Showing() const = 0;

    // ---- Painting ----------------------------------------------------------
    /// Adds r to the area to repaint; erase asks for the background first.
    virtual void Invalidate(const TRect& r, bool erase) = 0;
    virtual void InvalidateAll(bool erase = true) = 0;
    /// Repaints the invalid area now (nothing when there is none).
    virtual void Update() = 0;
    /// Moves the pixels inside scrollRect (the client area when nullptr) by
    /// (dx, dy); the uncovered strip becomes invalid.
    virtual void ScrollWindow(int32_t dx, int32_t dy, const TRect* scrollRect = nullptr) = 0;
    /// A canvas on the window for drawing outside a paint (rubber bands,
    /// outlines). Valid as long as the host lives.
    virtual TCanvas& Canvas() = 0;

    // ---- Scroll bars -------------------------------------------------------
    virtual void SetScrollInfo(TScrollBarKind kind, const TScrollInfo& info) = 0;
    virtual TScrollInfo GetScrollInfo(TScrollBarKind kind) const = 0;
    int32_t GetScrollPos(TScrollBarKind kind) const { return GetScrollInfo(kind).Pos; }
    /// Thickness of a shown bar of that kind (height of the horizontal bar,
    /// width of the vertical bar); the client area shrinks by it.
    virtual int32_t ScrollBarSize(TScrollBarKind kind) const = 0;

    // ---- Focus, cursor -----------------------------------------------------
    /// Gives the window the keyboard focus; the platform may refuse.
    virtual void SetFocus() = 0;
    virtual bool Focused() const = 0;
    /// Cursor shown while the mouse is over the window.
    virtual void SetCursor(TCursor cursor) = 0;
    /// Confines the mouse cursor to clientRect (right and bottom exclusive);
    /// nullptr releases it.
    virtual void ClipCursor(const TRect* clientRect) = 0;
    virtual TPoint GetCursorPos() const = 0;
    virtual TPoint ClientToScreen(TPoint p) const = 0;
    virtual TPoint ScreenToClient(TPoint p) const = 0;
};

/// A window control of the core: what the host calls. Defaults do nothing.
class TWindowControl : public TComponent {
public:
    using TComponent::TComponent;

    TWindowHost* Host() const { return FHost; }
    /// Called by the host when it takes or gives up the control.
    virtual void SetHost(TWindowHost* AHost) { FHost = AHost; }

    /// updateRect: the invalid area in client pixels.
    virtual void Paint(TCanvas& canvas, const TRect& updateRect) = 0;
    /// A double click arrives as MouseDown with ssDouble in Shift, then DblClick.
    virtual void MouseDown(TMouseButton, TShiftState, int32_t /*x*/, int32_t /*y*/) {}
    virtual void MouseUp(TMouseButton, TShiftState, int32_t /*x*/, int32_t /*y*/) {}
    virtual void MouseMove(TShiftState, int32_t /*x*/, int32_t /*y*/) {}
    virtual void DblClick() {}
    /// delta: 120 per notch, positive away from the user. True when handled.
    virtual bool MouseWheel(TShiftState, int32_t /*delta*/, int32_t /*x*/, int32_t /*y*/) { return false; }
    /// A handler may change or clear (0) the key.
    virtual void KeyDown(uint16_t& /*key*/, TShiftState) {}
    virtual void KeyUp(uint16_t& /*key*/, TShiftState) {}
    virtual void KeyPress(char16_t& /*key*/) {}
    /// The client area changed its size.
    virtual void Resize() {}
    /// pos: the thumb position for scPosition and scTrack (full 32 bits).
    virtual void Scroll(TScrollBarKind, TScrollCode, int32_t /*pos*/) {}
    /// Focus gained / lost.
    virtual void Enter() {}
    virtual void Exit() {}

    std::string ClassName() const override { return "TWindowControl"; }

private:
    TWindowHost* FHost = nullptr;
};

} // namespace vl

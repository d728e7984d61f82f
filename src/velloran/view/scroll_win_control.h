#pragma once
// A window control with a horizontal and a vertical scroll bar: its range
// follows its child controls until one is set explicitly, it scrolls its
// client area while keeping the non-scroll areas in place, and it carries the
// state set that the draw box shares.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "velloran/foundations/set.h"
#include "velloran/platform/window_host.h"
#include "velloran/view/child_control.h"
#include "velloran/view/scroll_bar.h"

namespace vl {

/// State flags of a scrolling control, shared with the draw box.
enum class TBoxStateItem : uint8_t {
    bsPrepared,
    bsModified,
    bsNewRange,
    bsNeedsNewRange,
    bsOwnDataMod,
    /// The client area was just scrolled; only the uncovered strip needs painting.
    bsHScrolling,
    bsVScrolling,
    /// Guards UpdateScrollBars against re-entry through size messages.
    bsUpdateScrollbars,
    bsToolScroll,
};
using TBoxState = TSet<TBoxStateItem>;

/// A window control with two scroll bars whose range follows its child controls.
class TScrollWinControl : public TWindowControl {
public:
    explicit TScrollWinControl(TComponent* AOwner = nullptr);
    ~TScrollWinControl() override;

    std::string ClassName() const override { return "TScrollWinControl"; }

    TvlScrollBar& HorzScrollBar() { return *FHorzScrollBar; }
    TvlScrollBar& VertScrollBar() { return *FVertScrollBar; }
    const TvlScrollBar& HorzScrollBar() const { return *FHorzScrollBar; }
    const TvlScrollBar& VertScrollBar() const { return *FVertScrollBar; }
    /// Copy the settings into the owned bars.
    void SetHorzScrollBar(const TvlScrollBar& Value) { FHorzScrollBar->Assign(Value); }
    void SetVertScrollBar(const TvlScrollBar& Value) { FVertScrollBar->Assign(Value); }
    TvlScrollBar& ScrollBar(TScrollBarKind Kind);

    /// True until a range is set explicitly: the ranges follow the children.
    bool AutoRangeOn() const { return FAutoScroll; }
    void SetAutoRangeOn(bool Value);

    TBoxState State;

    // ---- Scrolling ---------------------------------------------------------
    /// Moves the client pixels, except the non-scroll areas, by (DeltaX, DeltaY).
    void ScrollBy(int32_t DeltaX, int32_t DeltaY);
    /// Ranges from Size, positions from |Pos|, without scrolling the window.
    /// The ranges last until a bar returns to position 0, where its range
    /// falls back to the one last set through SetRange or DoSetRange.
    void SyncScrollbars(TSize Size, TPoint Pos);
    virtual void CheckScrollRange();
    void UpdateScrollBars();
    void DisableAutoRange() { ++FAutoRangeCount; }
    void EnableAutoRange();
    int32_t AutoRangeCount() const { return FAutoRangeCount; }
    /// Follows the children; nothing while suspended or after an explicit range.
    void CalcAutoRange();
    /// The framework changed its scale from D to M.
    void ChangeScale(int32_t M, int32_t D);

    // ---- Non-scroll areas (client pixels) ----------------------------------
    /// nullptr until set. FNonScrollH stays in place when scrolling horizontally.
    const TRect* NonScrollH() const { return FNonScrollH.get(); }
    const TRect* NonScrollV() const { return FNonScrollV.get(); }
    void SetNonScrollH(const TRect& Value);
    void SetNonScrollV(const TRect& Value);

    // ---- Child controls ----------------------------------------------------
    int32_t ChildCount() const { return static_cast<int32_t>(FChildren.size()); }
    /// Raises EListError outside 0..ChildCount-1.
    const TChildControl& Child(int32_t Index) const;
    int32_t AddChild(const TChildControl& AChild);
    void SetChild(int32_t Index, const TChildControl& AChild);
    void RemoveChild(int32_t Index);
    /// Where the child shows now, in client pixels.
    TRect ChildClientRect(int32_t Index) const;
    void ScrollInView(int32_t Index);
    /// ScrollInView, unless this control is loading.
    void AutoScrollInView(int32_t Index);
    /// Children are not aligned.
    virtual void AlignControls() {}

    // ---- Window ------------------------------------------------------------
    int32_t ClientWidth() const;
    int32_t ClientHeight() const;
    void SetHost(TWindowHost* AHost) override;
    /// Size message.
    void Resize() override;
    /// Messages of the control's own bars go to the bar when it is visible.
    void Scroll(TScrollBarKind Kind, TScrollCode Code, int32_t Pos) override;

private:
    std::unique_ptr<TvlScrollBar> FHorzScrollBar;
    std::unique_ptr<TvlScrollBar> FVertScrollBar;
    bool FAutoScroll = true;
    int32_t FAutoRangeCount = 0;
    std::unique_ptr<TRect> FNonScrollH;
    std::unique_ptr<TRect> FNonScrollV;
    std::vector<TChildControl> FChildren;
};

} // namespace vl

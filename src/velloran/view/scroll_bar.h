#pragma once
// The settings and behaviour of one window scroll bar of a scrolling
// control: range, position, line step, margin, tracking and visibility.
// Positions and ranges are device pixels of the client area.

#include <cstdint>
#include <string>

#include "velloran/platform/persistent.h"
#include "velloran/platform/window_host.h"

namespace vl {

class TScrollWinControl;

/// One window scroll bar of a scrolling control: range, position, step, margin and visibility.
class TvlScrollBar : public TPersistent {
public:
    /// AControl is not owned; it owns this bar.
    TvlScrollBar(TScrollWinControl* AControl, TScrollBarKind AKind);

    /// From another bar: Visible, Range and Position through their setters,
    /// then Increment.
    void Assign(const TPersistent& Source) override;
    std::string ClassName() const override { return "TvlScrollBar"; }

    TScrollWinControl* Control() const { return FControl; }
    TScrollBarKind Kind() const { return FKind; }

    // ---- Published properties ----------------------------------------------
    int32_t Increment() const { return FIncrement; }
    /// Held to 1..32767: the step travels through 16 bits.
    void SetIncrement(int32_t Value);
    int32_t Position() const { return FPosition; }
    /// Clamped to 0..CalcRange; a change scrolls the content. Back at 0 the
    /// range returns to the last one set through SetRange.
    void SetPosition(int32_t Value);
    int32_t Range() const { return FRange; }
    /// An explicit range: the control stops following its children.
    void SetRange(int32_t Value);
    uint16_t Margin() const { return FMargin; }
    void SetMargin(uint16_t Value) { FMargin = Value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool Tracking() const { return FTracking; }
    void SetTracking(bool Value) { FTracking = Value; }
    /// Range is stored only while the control's range does not follow its children.
    bool IsRangeStored() const;

    // ---- Derived state -----------------------------------------------------
    /// Largest position; 0 while the bar is hidden or the content fits.
    int32_t CalcRange() const { return FCalcRange; }
    int32_t DataRange() const { return FDataRange; }
    bool Scaled() const { return FScaled; }

    // ---- Operations used by the control ------------------------------------
    /// Range and position 0, nothing else touched.
    void NoRange() { FRange = 0; FPosition = 0; }
    /// Maps a scroll message to a new position; pos is the thumb position.
    void ScrollMessage(TScrollCode Code, int32_t Pos);
    /// Applies a range without turning the automatic range off.
    void DoSetRange(int32_t Value);
    /// Stores range and position as they are, scrolling nothing; the caller
    /// updates the scroll bars.
    void SetRangeAndPos(int32_t ARange, int32_t APos) { FRange = ARange; FPosition = APos; }
    /// Visible extent of the client area for this bar. ControlSB: the client
    /// area is already final; otherwise AssumeSB says whether the other bar
    /// will be shown, and its thickness is taken off or given back.
    int32_t ControlSize(bool ControlSB, bool AssumeSB) const;
    /// The bar has something to scroll and must be shown.
    bool NeedsScrollBarVisible() const;
    /// Recomputes CalcRange and hands the settings to the window's bar.
    void Update(bool ControlSB, bool AssumeSB);
    void ClearScaled() { FScaled = false; }

private:
    TScrollWinControl* FControl;
    int32_t FIncrement = 8;
    int32_t FPosition = 0;
    int32_t FRange = 0;
    int32_t FDataRange = 0;
    int32_t FCalcRange = 0;
    TScrollBarKind FKind;
    uint16_t FMargin = 0;
    bool FVisible = true;
    bool FTracking = false;
    bool FScaled = false;
};

} // namespace vl

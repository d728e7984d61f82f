#include "velloran/view/scroll_bar.h"

#include <algorithm>
#include <cstdint>

#include "velloran/view/scroll_win_control.h"

namespace vl {

namespace {

int32_t Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

TScrollBarKind Other(TScrollBarKind k) {
    return k == TScrollBarKind::sbHorizontal ? TScrollBarKind::sbVertical : TScrollBarKind::sbHorizontal;
}

} // namespace

TvlScrollBar::TvlScrollBar(TScrollWinControl* AControl, TScrollBarKind AKind) : FControl(AControl), FKind(AKind) {}

void TvlScrollBar::Assign(const TPersistent& Source) {
    const auto* src = dynamic_cast<const TvlScrollBar*>(&Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    SetVisible(src->FVisible);
    SetRange(src->FRange);
    SetPosition(src->FPosition);
    SetIncrement(src->FIncrement);
}

void TvlScrollBar::SetIncrement(int32_t Value) { FIncrement = std::clamp(Value, 1, 32767); }

bool TvlScrollBar::IsRangeStored() const { return !FControl->AutoRangeOn(); }

void TvlScrollBar::SetVisible(bool Value) {
    FVisible = Value;
    FControl->CheckScrollRange();
}

void TvlScrollBar::SetRange(int32_t Value) {
    FControl->SetAutoRangeOn(false);
    FScaled = true;
    DoSetRange(Value);
}

void TvlScrollBar::DoSetRange(int32_t Value) {
    if (Value < 1) {
        FRange = 0;
        FDataRange = 0;
        // Through the setter, so that content scrolled away comes back with it.
        SetPosition(0);
    } else {
        FRange = Value;
    }
    FDataRange = FRange;
    FControl->UpdateScrollBars();
}

void TvlScrollBar::SetPosition(int32_t Value) {
    const TComponentState cs = FControl->ComponentState();
    if (cs.Contains(TComponentStateItem::csLoading) || cs.Contains(TComponentStateItem::csReading)) {
        FPosition = Value;
    } else {
        Value = std::clamp(Value, 0, std::max(FCalcRange, 0));
        if (Value != FPosition) {
            const int32_t delta = Clamp32(int64_t{FPosition} - Value);
            FPosition = Value;
            if (FKind == TScrollBarKind::sbHorizontal)
                FControl->ScrollBy(delta, 0);
            else
                FControl->ScrollBy(0, delta);
        }
        if (TWindowHost* host = FControl->Host(); host && host->GetScrollPos(FKind) != FPosition) {
            TScrollInfo si = host->GetScrollInfo(FKind);
            si.Pos = FPosition;
            host->SetScrollInfo(FKind, si);
        }
    }
    if (FPosition == 0) FRange = FDataRange;
}

void TvlScrollBar::ScrollMessage(TScrollCode Code, int32_t Pos) {
    int64_t p = FPosition;
    switch (Code) {
    case TScrollCode::scLineUp: p -= FIncrement; break;
    case TScrollCode::scLineDown: p += FIncrement; break;
    case TScrollCode::scPageUp: p -= ControlSize(true, false); break;
    case TScrollCode::scPageDown: p += ControlSize(true, false); break;
    case TScrollCode::scPosition: p = Pos; break;
    case TScrollCode::scTrack:
        if (!FTracking) return;
        p = Pos;
        break;
    case TScrollCode::scTop: p = 0; break;
    case TScrollCode::scBottom: p = FCalcRange; break;
    case TScrollCode::scEndScroll: return;
    }
    SetPosition(Clamp32(p));
}

int32_t TvlScrollBar::ControlSize(bool ControlSB, bool AssumeSB) const {
    TWindowHost* host = FControl->Host();
    if (!host) return 0;
    const TRect client = host->ClientRect();
    int32_t size = FKind == TScrollBarKind::sbHorizontal ? client.Width() : client.Height();
    if (!ControlSB) {
        const TScrollBarKind other = Other(FKind);
        const bool shown = host->GetScrollInfo(other).Visible;
        if (AssumeSB && !shown)
            size -= host->ScrollBarSize(other);
        else if (!AssumeSB && shown)
            size += host->ScrollBarSize(other);
    }
    return std::max(size, 0);
}

bool TvlScrollBar::NeedsScrollBarVisible() const {
    const int32_t plain = FKind == TScrollBarKind::sbHorizontal ? FControl->ClientWidth() : FControl->ClientHeight();
    return FVisible && ((FRange >= 1 && FRange > plain) || FPosition > 0);
}

void TvlScrollBar::Update(bool ControlSB, bool AssumeSB) {
    TWindowHost* host = FControl->Host();
    if (!host) return;
    const int32_t extent = ControlSize(ControlSB, AssumeSB);
    FCalcRange = FVisible ? std::max(FRange - extent, 0) : 0;
    TScrollInfo si;
    si.Min = 0;
    si.Max = FCalcRange >= 1 ? FRange : 0;
    si.Page = Clamp32(int64_t{extent} + 1);
    si.Pos = FPosition;
    si.Visible = ScrollBarNeeded(si);
    host->SetScrollInfo(FKind, si);
    // A range that shrank below the position takes the content back with it.
    if (FPosition > FCalcRange && !FControl->Loading()) SetPosition(FCalcRange);
}

} // namespace vl

#include "velloran/view/scroll_win_control.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "velloran/foundations/errors.h"
#include "velloran/foundations/round.h"

namespace vl {

namespace {

int32_t Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// r without s, where s covers a whole side strip of r; otherwise r unchanged.
TRect SubtractRect(const TRect& r, const TRect& s) {
    TRect out = r;
    const bool coversX = s.Left <= r.Left && s.Right >= r.Right;
    const bool coversY = s.Top <= r.Top && s.Bottom >= r.Bottom;
    if (coversX && coversY) return {r.Left, r.Top, r.Left, r.Top};
    if (coversY) {
        if (s.Left <= r.Left && s.Right > r.Left)
            out.Left = s.Right;
        else if (s.Right >= r.Right && s.Left < r.Right)
            out.Right = s.Left;
    } else if (coversX) {
        if (s.Top <= r.Top && s.Bottom > r.Top)
            out.Top = s.Bottom;
        else if (s.Bottom >= r.Bottom && s.Top < r.Bottom)
            out.Bottom = s.Top;
    }
    return out;
}

} // namespace

TScrollWinControl::TScrollWinControl(TComponent* AOwner)
    : TWindowControl(AOwner),
      FHorzScrollBar(std::make_unique<TvlScrollBar>(this, TScrollBarKind::sbHorizontal)),
      FVertScrollBar(std::make_unique<TvlScrollBar>(this, TScrollBarKind::sbVertical)) {}

TScrollWinControl::~TScrollWinControl() = default;

TvlScrollBar& TScrollWinControl::ScrollBar(TScrollBarKind Kind) {
    return Kind == TScrollBarKind::sbHorizontal ? *FHorzScrollBar : *FVertScrollBar;
}

void TScrollWinControl::SetAutoRangeOn(bool Value) {
    if (FAutoScroll == Value) return;
    FAutoScroll = Value;
    CalcAutoRange();
}

// ---- Scrolling ----------------------------------------------------------------

void TScrollWinControl::ScrollBy(int32_t DeltaX, int32_t DeltaY) {
    TWindowHost* host = Host();
    // A hidden or missing window keeps only the stored positions.
    if (!host || !host->Showing()) return;
    TRect r = host->ClientRect();
    if (DeltaX != 0) {
        State.Include(TBoxStateItem::bsHScrolling);
        if (FNonScrollH) r = SubtractRect(r, *FNonScrollH);
    }
    if (DeltaY != 0) {
        State.Include(TBoxStateItem::bsVScrolling);
        if (FNonScrollV) r = SubtractRect(r, *FNonScrollV);
    }
    host->ScrollWindow(DeltaX, DeltaY, &r);
}

void TScrollWinControl::SyncScrollbars(TSize Size, TPoint Pos) {
    const auto absPos = [](int32_t v) { return Clamp32(std::abs(int64_t{v})); };
    FHorzScrollBar->SetRangeAndPos(std::max(Size.cx, 0), absPos(Pos.X));
    FVertScrollBar->SetRangeAndPos(std::max(Size.cy, 0), absPos(Pos.Y));
    UpdateScrollBars();
}

void TScrollWinControl::CheckScrollRange() { UpdateScrollBars(); }

void TScrollWinControl::UpdateScrollBars() {
    if (State.Contains(TBoxStateItem::bsUpdateScrollbars) || !Host()) return;
    State.Include(TBoxStateItem::bsUpdateScrollbars);
    try {
        if (FVertScrollBar->NeedsScrollBarVisible()) {
            FHorzScrollBar->Update(false, true);
            FVertScrollBar->Update(true, false);
        } else if (FHorzScrollBar->NeedsScrollBarVisible()) {
            FVertScrollBar->Update(false, true);
            FHorzScrollBar->Update(true, false);
        } else {
            FVertScrollBar->Update(false, false);
            FHorzScrollBar->Update(true, false);
        }
    } catch (...) {
        State.Exclude(TBoxStateItem::bsUpdateScrollbars);
        throw;
    }
    State.Exclude(TBoxStateItem::bsUpdateScrollbars);
}

void TScrollWinControl::EnableAutoRange() {
    // An unbalanced call must not leave the count below 0, where the next
    // DisableAutoRange would no longer suspend anything.
    if (FAutoRangeCount == 0) return;
    if (--FAutoRangeCount == 0 && (FHorzScrollBar->Visible() || FVertScrollBar->Visible())) CalcAutoRange();
}

void TScrollWinControl::CalcAutoRange() {
    if (!FAutoScroll || FAutoRangeCount > 0) return;
    // Position plus the child's client edge is its content edge.
    int64_t right = 0, bottom = 0, rightAligned = 0, bottomAligned = 0;
    for (const TChildControl& c : FChildren) {
        if (!c.Visible) continue;
        const TRect& b = c.BoundsRect;
        switch (c.Align) {
        case TAlign::alNone:
            right = std::max<int64_t>(right, b.Right);
            bottom = std::max<int64_t>(bottom, b.Bottom);
            break;
        case TAlign::alRight: rightAligned += b.Width(); break;
        case TAlign::alBottom: bottomAligned += b.Height(); break;
        default: break;
        }
    }
    FHorzScrollBar->DoSetRange(Clamp32(right + rightAligned + FHorzScrollBar->Margin()));
    FVertScrollBar->DoSetRange(Clamp32(bottom + bottomAligned + FVertScrollBar->Margin()));
}

void TScrollWinControl::ChangeScale(int32_t M, int32_t D) {
    if (M != D && D != 0) {
        FHorzScrollBar->SetPosition(0);
        FVertScrollBar->SetPosition(0);
        if (!FAutoScroll) {
            for (TvlScrollBar* bar : {FHorzScrollBar.get(), FVertScrollBar.get()}) {
                if (Loading() && !bar->Scaled()) continue;
                bar->SetRange(Round(static_cast<double>(bar->Range()) * M / D));
            }
        }
    }
    FHorzScrollBar->ClearScaled();
    FVertScrollBar->ClearScaled();
}

// ---- Non-scroll areas -----------------------------------------------------------

void TScrollWinControl::SetNonScrollH(const TRect& Value) {
    if (!FNonScrollH) FNonScrollH = std::make_unique<TRect>();
    *FNonScrollH = Value;
}

void TScrollWinControl::SetNonScrollV(const TRect& Value) {
    if (!FNonScrollV) FNonScrollV = std::make_unique<TRect>();
    *FNonScrollV = Value;
}

// ---- Child controls -------------------------------------------------------------

const TChildControl& TScrollWinControl::Child(int32_t Index) const {
    if (Index < 0 || Index >= ChildCount()) RaiseListError("List index out of bounds (%d)", Index);
    return FChildren[static_cast<size_t>(Index)];
}

int32_t TScrollWinControl::AddChild(const TChildControl& AChild) {
    FChildren.push_back(AChild);
    CalcAutoRange();
    return ChildCount() - 1;
}

void TScrollWinControl::SetChild(int32_t Index, const TChildControl& AChild) {
    Child(Index);
    FChildren[static_cast<size_t>(Index)] = AChild;
    CalcAutoRange();
}

void TScrollWinControl::RemoveChild(int32_t Index) {
    Child(Index);
    FChildren.erase(FChildren.begin() + Index);
    CalcAutoRange();
}

TRect TScrollWinControl::ChildClientRect(int32_t Index) const {
    const TRect& b = Child(Index).BoundsRect;
    const int32_t h = FHorzScrollBar->Position(), v = FVertScrollBar->Position();
    return {Clamp32(int64_t{b.Left} - h), Clamp32(int64_t{b.Top} - v), Clamp32(int64_t{b.Right} - h),
            Clamp32(int64_t{b.Bottom} - v)};
}

void TScrollWinControl::ScrollInView(int32_t Index) {
    const TRect b = ChildClientRect(Index);
    const int64_t hm = FHorzScrollBar->Margin(), vm = FVertScrollBar->Margin();
    int64_t left = b.Left - hm, right = b.Right + hm, top = b.Top - vm, bottom = b.Bottom + vm;
    const int64_t cw = ClientWidth(), ch = ClientHeight();
    TvlScrollBar& h = *FHorzScrollBar;
    TvlScrollBar& v = *FVertScrollBar;
    if (left < 0) {
        h.SetPosition(Clamp32(h.Position() + left));
    } else if (right > cw) {
        // A child wider than the client area keeps its left edge in view.
        if (right - left > cw) right = left + cw;
        h.SetPosition(Clamp32(h.Position() + right - cw));
    }
    if (top < 0) {
        v.SetPosition(Clamp32(v.Position() + top));
    } else if (bottom > ch) {
        if (bottom - top > ch) bottom = top + ch;
        v.SetPosition(Clamp32(v.Position() + bottom - ch));
    }
}

void TScrollWinControl::AutoScrollInView(int32_t Index) {
    if (!Loading()) ScrollInView(Index);
}

// ---- Window ---------------------------------------------------------------------

int32_t TScrollWinControl::ClientWidth() const { return Host() ? Host()->ClientRect().Width() : 0; }

int32_t TScrollWinControl::ClientHeight() const { return Host() ? Host()->ClientRect().Height() : 0; }

void TScrollWinControl::SetHost(TWindowHost* AHost) {
    TWindowControl::SetHost(AHost);
    if (AHost) UpdateScrollBars();
}

void TScrollWinControl::Resize() {
    // Children must not re-range while the size is in flux.
    ++FAutoRangeCount;
    AlignControls();
    --FAutoRangeCount;
    if ((FHorzScrollBar->Visible() || FVertScrollBar->Visible()) && !State.Contains(TBoxStateItem::bsUpdateScrollbars))
        CheckScrollRange();
}

void TScrollWinControl::Scroll(TScrollBarKind Kind, TScrollCode Code, int32_t Pos) {
    TvlScrollBar& bar = ScrollBar(Kind);
    if (bar.Visible()) bar.ScrollMessage(Code, Pos);
}

} // namespace vl

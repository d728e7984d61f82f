#include "velloran/view/draw_box.h"

// Scroll range, scale, scroll steps and scrolling while a tool drags at the edge.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "velloran/document/data_mod.h"
#include "velloran/objects/cap_list.h"
#include "velloran/objects/object.h"
#include "velloran/foundations/stream.h"
#include "velloran/platform/canvas.h"
#include "velloran/platform/services.h"
#include "velloran/view/view_tool.h"

namespace vl {

namespace {

int32_t Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

} // namespace

// ---- Scroll range -------------------------------------------------------------------

void TCustomDrawBox::SyncOrigin() {
    TScaleSetting& ss = *FScaleSetting;
    if (HorzScrollBar().Visible()) ss.SetVPOrgX(Clamp32(int64_t{ss.GetVPHomeX()} - HorzScrollBar().Position()));
    if (VertScrollBar().Visible()) ss.SetVPOrgY(Clamp32(int64_t{ss.GetVPHomeY()} - VertScrollBar().Position()));
}

void TCustomDrawBox::CheckScrollRange() {
    TScaleSetting& ss = *FScaleSetting;
    if (ss.State.Contains(TScaleFlag::scMovingObjects)) {
        if (FDataModule) FDataModule->InitLimits();
        return;
    }
    if (FDataModule && !FDataModule->Empty() && !State.Contains(TBoxStateItem::bsUpdateScrollbars) && AutoScroll()) {
        if (TCanvas* c = Canvas()) c->SetWindowOrg({0, 0});
        TSize Size{0, 0};
        TPoint Pos{0, 0};
        const int64_t blank = ss.BlankZone() >= 1 ? ss.MMToPix(ss.BlankZone()) : 0;
        const TLimRec L = FDataModule->GetLimits();
        FRangeLimits = L;
        const auto pix = [&ss](int32_t n) { return int64_t{ss.LogToPix(n)}; };
        // One axis: Lo..Hi in pixels covers the data, the client area and the anchor.
        const auto range = [&](bool visible, bool flipped, int32_t dmin, int32_t dmax, int32_t client, int32_t org,
                               int32_t anchor, int32_t dir, int32_t& home, int32_t& size, int32_t& pos) {
            if (!visible) return;
            int64_t lo = flipped ? -pix(dmax) - blank : pix(dmin) - blank;
            int64_t hi = flipped ? -pix(dmin) + blank : pix(dmax) + blank;
            hi = std::max<int64_t>(hi, int64_t{client} - org);
            lo = std::min<int64_t>(lo, -int64_t{org});
            if (FScrollAnchor) {
                const int64_t a = pix(anchor) * dir;
                hi = std::max(hi, a);
                lo = std::min(lo, a);
            }
            home = Clamp32(-lo);
            size = Clamp32(hi - lo);
            pos = Clamp32(int64_t{home} - org);
        };
        int32_t homeX = ss.GetVPHomeX(), homeY = ss.GetVPHomeY();
        range(HorzScrollBar().Visible(), ss.GetRightOrigin(), L.Xmin, L.Xmax, ClientWidth(), ss.GetVPOrgX(),
              FAnchor.X, ss.GetDirHorz(), homeX, Size.cx, Pos.X);
        range(VertScrollBar().Visible(), ss.GetBottomOrigin(), L.Ymin, L.Ymax, ClientHeight(), ss.GetVPOrgY(),
              FAnchor.Y, ss.GetDirVert(), homeY, Size.cy, Pos.Y);
        ss.SetVPHomeX(homeX);
        ss.SetVPHomeY(homeY);
        SyncScrollbars(Size, Pos);
        // The bars fall back to their data range at position 0: it is this one.
        for (TvlScrollBar* bar : {&HorzScrollBar(), &VertScrollBar()})
            if (bar->Visible()) bar->DoSetRange(bar->Range());
        // Updating the bars may have clamped a position.
        SyncOrigin();
    }
    State.Exclude(TBoxStateItem::bsNewRange);
}

// ---- View operations ------------------------------------------------------------------

void TCustomDrawBox::MoveObjects(TPoint DeltaPos) {
    ActScaleSet = FScaleSetting.get();
    if (!FDataModule) return;
    if (FGrid->Capture()) FGrid->MatchCoords(DeltaPos);
    // Moving may touch the mark case (dependants); walk a snapshot.
    const TCapList& mc = FDataModule->MarkCase();
    std::vector<TvlObject*> marked;
    marked.reserve(static_cast<size_t>(mc.Count()));
    for (int32_t i = 0; i < mc.Count(); ++i)
        if (TvlObject* o = mc.GetItems(i)) marked.push_back(o);
    // The records go into the backup before anything moves.
    const bool backup = FDataModule->UndoFunction().Contains(TUndoOptions::unMove);
    if (backup) FDataModule->InitBackup(TBackupMode::bkMove);
    if (TStream* mem = backup ? FDataModule->BackupMem() : nullptr)
        for (TvlObject* o : marked) o->Persist(mem, TPstMode::pstSave);
    for (TvlObject* o : marked) {
        o->Invalidate();
        o->MovePos(DeltaPos);
        o->Invalidate();
    }
    if (backup) FDataModule->CloseBackup();
    FDataModule->UnSelect(nullptr);
}

void TCustomDrawBox::SetScale(double Value) {
    if (Value <= 0) {
        for (TvlScrollBar* bar : {&HorzScrollBar(), &VertScrollBar()}) {
            bar->NoRange();
            bar->SetVisible(false);
        }
        if (FDataModule && Host()) FScaleSetting->SetFullScreen(*FDataModule, *Host());
        FFitHidBars = true;
    } else {
        FFitHidBars = false;
        FScaleSetting->SetScale(Value);
        if (FScaleSetting->State.Contains(TScaleFlag::scChanged)) State.Include(TBoxStateItem::bsNewRange);
        // Fitting hid the bars; at any other scale the range check decides
        // again whether they are needed, or the view could never scroll again.
        for (TvlScrollBar* bar : {&HorzScrollBar(), &VertScrollBar()})
            if (!bar->Visible()) {
                bar->SetVisible(true);
                State.Include(TBoxStateItem::bsNewRange);
            }
    }
    if (FDataModule) FDataModule->UnmarkAll();
    InvalidateBox();
}

void TCustomDrawBox::GetSpace(int32_t ASpace, TSpaceDir Direction) {
    TScaleSetting& ss = *FScaleSetting;
    switch (Direction) {
    case TSpaceDir::dirLeft:
        HorzScrollBar().SetPosition(0);
        ss.SetVPHomeX(Clamp32(int64_t{ss.GetVPHomeX()} + ASpace));
        State.Include(TBoxStateItem::bsNewRange);
        break;
    case TSpaceDir::dirTop:
        VertScrollBar().SetPosition(0);
        ss.SetVPHomeY(Clamp32(int64_t{ss.GetVPHomeY()} + ASpace));
        State.Include(TBoxStateItem::bsNewRange);
        break;
    case TSpaceDir::dirRight: {
        TvlScrollBar& b = HorzScrollBar();
        b.SetRange(Clamp32(int64_t{b.Range()} + ASpace));
        b.SetPosition(b.Range());
        ss.SetVPOrgX(Clamp32(int64_t{ss.GetVPHomeX()} - b.Position()));
        break;
    }
    case TSpaceDir::dirBottom: {
        TvlScrollBar& b = VertScrollBar();
        b.SetRange(Clamp32(int64_t{b.Range()} + ASpace));
        b.SetPosition(b.Range());
        ss.SetVPOrgY(Clamp32(int64_t{ss.GetVPHomeY()} - b.Position()));
        break;
    }
    }
    InvalidateBox();
}

void TCustomDrawBox::LeftScroll() {
    TScaleSetting& ss = *FScaleSetting;
    TvlScrollBar& b = HorzScrollBar();
    const int32_t inc = b.Increment();
    if (b.Visible() && b.Position() > 0) {
        TScrollPaint::Scroll(TScrollBarKind::sbHorizontal, TScrollCode::scLineUp, 0);
        ss.SetVPOrgX(Clamp32(int64_t{ss.GetVPHomeX()} - b.Position()));
    } else if (b.Visible()) {
        // At the left end: the world grows to the left.
        ss.SetVPHomeX(Clamp32(int64_t{ss.GetVPHomeX()} + inc));
        ss.SetVPOrgX(ss.GetVPHomeX());
        b.SetRange(Clamp32(int64_t{b.Range()} + inc));
        ScrollBy(inc, 0);
    } else {
        ss.SetVPOrgX(Clamp32(int64_t{ss.GetVPOrgX()} + inc));
        ScrollBy(inc, 0);
    }
}

void TCustomDrawBox::TopScroll() {
    TScaleSetting& ss = *FScaleSetting;
    TvlScrollBar& b = VertScrollBar();
    const int32_t inc = b.Increment();
    if (b.Visible() && b.Position() > 0) {
        TScrollPaint::Scroll(TScrollBarKind::sbVertical, TScrollCode::scLineUp, 0);
        ss.SetVPOrgY(Clamp32(int64_t{ss.GetVPHomeY()} - b.Position()));
    } else if (b.Visible()) {
        ss.SetVPHomeY(Clamp32(int64_t{ss.GetVPHomeY()} + inc));
        ss.SetVPOrgY(ss.GetVPHomeY());
        b.SetRange(Clamp32(int64_t{b.Range()} + inc));
        ScrollBy(0, inc);
    } else {
        ss.SetVPOrgY(Clamp32(int64_t{ss.GetVPOrgY()} + inc));
        ScrollBy(0, inc);
    }
}

void TCustomDrawBox::RightScroll() {
    TScaleSetting& ss = *FScaleSetting;
    TvlScrollBar& b = HorzScrollBar();
    const int32_t inc = b.Increment();
    ss.SetVPOrgX(Clamp32(int64_t{ss.GetVPOrgX()} - inc));
    ScrollBy(-inc, 0);
    if (!b.Visible()) return;
    const TPoint P{Clamp32(int64_t{ss.GetVPHomeX()} - ss.GetVPOrgX()), VertScrollBar().Position()};
    const int32_t cw = ClientWidth();
    const int32_t width = P.X > int64_t{b.Range()} - cw ? Clamp32(int64_t{P.X} + cw) : b.Range();
    SyncScrollbars({width, VertScrollBar().Range()}, P);
    SyncOrigin();
}

void TCustomDrawBox::BottomScroll() {
    TScaleSetting& ss = *FScaleSetting;
    TvlScrollBar& b = VertScrollBar();
    const int32_t inc = b.Increment();
    ss.SetVPOrgY(Clamp32(int64_t{ss.GetVPOrgY()} - inc));
    ScrollBy(0, -inc);
    if (!b.Visible()) return;
    const TPoint P{HorzScrollBar().Position(), Clamp32(int64_t{ss.GetVPHomeY()} - ss.GetVPOrgY())};
    const int32_t ch = ClientHeight();
    const int32_t height = P.Y > int64_t{b.Range()} - ch ? Clamp32(int64_t{P.Y} + ch) : b.Range();
    SyncScrollbars({HorzScrollBar().Range(), height}, P);
    SyncOrigin();
}

void TCustomDrawBox::ScrollTo(TPoint NewPos, TOrigin Origin) {
    const TRect r = Host() ? Host()->ClientRect() : TRect{};
    TPoint ref;
    switch (Origin) {
    case TOrigin::LeftTop: ref = {r.Left, r.Top}; break;
    case TOrigin::LeftBottom: ref = {r.Left, r.Bottom}; break;
    case TOrigin::RightTop: ref = {r.Right, r.Top}; break;
    case TOrigin::RightBottom: ref = {r.Right, r.Bottom}; break;
    case TOrigin::Center: ref = {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; break;
    }
    const int64_t dx = int64_t{NewPos.X} - ref.X, dy = int64_t{NewPos.Y} - ref.Y;
    // The step travels through the bar's Increment, which holds at most 32767.
    const auto step = [this](TvlScrollBar& bar, int64_t d, void (TCustomDrawBox::*back)(),
                             void (TCustomDrawBox::*fwd)()) {
        if (d == 0) return;
        const int32_t saved = bar.Increment();
        bar.SetIncrement(Clamp32(std::min<int64_t>(std::llabs(d), 32767)));
        (this->*(d < 0 ? back : fwd))();
        bar.SetIncrement(saved);
    };
    step(HorzScrollBar(), dx, &TCustomDrawBox::LeftScroll, &TCustomDrawBox::RightScroll);
    step(VertScrollBar(), dy, &TCustomDrawBox::TopScroll, &TCustomDrawBox::BottomScroll);
}

void TCustomDrawBox::ScrollTo_Log(TPoint NewPos, TOrigin Origin) {
    TCanvas* c = Canvas();
    ScrollTo(c ? c->LPtoDP(NewPos) : NewPos, Origin);
}

void TCustomDrawBox::SetClipping() {
    if (!Host()) return;
    TRect r = Host()->ClientRect();
    --r.Right;
    --r.Bottom;
    Host()->ClipCursor(&r);
}

void TCustomDrawBox::Resize() {
    // The range is rechecked on resize only while a bar is visible; a window
    // shrunk after fitting would cut the drawing off with no way to scroll.
    // The bars are shown again only where the drawing no longer fits.
    if (FFitHidBars) {
        FFitHidBars = false;
        for (TvlScrollBar* bar : {&HorzScrollBar(), &VertScrollBar()}) bar->SetVisible(true);
        State.Include(TBoxStateItem::bsNewRange);
    }
    TScrollPaint::Resize();
    SyncOrigin();
    if (FTool && FTool->CanScroll()) SetClipping();
}

void TCustomDrawBox::Scroll(TScrollBarKind Kind, TScrollCode Code, int32_t Pos) {
    TScrollPaint::Scroll(Kind, Code, Pos);
    SyncOrigin();
}

void TCustomDrawBox::doToolScroll(TPoint CurPos) {
    TWindowHost* host = Host();
    if (!host) return;
    const TRect r = host->ClientRect();
    enum { zLeft, zRight, zTop, zBottom, zNone } zone = zNone;
    const auto holds = [&r](int z, TPoint p) {
        switch (z) {
        case zLeft: return p.X < 2;
        case zRight: return p.X > r.Right - 3;
        case zTop: return p.Y < 2;
        case zBottom: return p.Y > r.Bottom - 3;
        default: return false;
        }
    };
    for (int z = zLeft; z < zNone; ++z)
        if (holds(z, CurPos)) {
            zone = static_cast<decltype(zone)>(z);
            break;
        }
    if (zone == zNone) return;
    void (TCustomDrawBox::*stepFn)() = zone == zLeft    ? &TCustomDrawBox::LeftScroll
                                       : zone == zRight ? &TCustomDrawBox::RightScroll
                                       : zone == zTop   ? &TCustomDrawBox::TopScroll
                                                        : &TCustomDrawBox::BottomScroll;
    const TScrollProc step = [this, stepFn] { (this->*stepFn)(); };

    TServices& svc = Services();
    uint32_t ticks = svc.GetTickCount();
    State.Include(TBoxStateItem::bsToolScroll);
    struct TEnd {
        TBoxState& s;
        ~TEnd() { s.Exclude(TBoxStateItem::bsToolScroll); }
    } end{State};
    TPoint p = CurPos;
    while (holds(zone, p) && FTool && FTool->CanScroll()) {
        const uint32_t now = svc.GetTickCount();
        if (now - ticks > AutoScrollTime) {
            ticks = now;
            FTool->Scroll(step, DeviceToLog(p));
            if (TCanvas* c = Canvas()) c->SetWindowOrg({0, 0});
        }
        p = host->ScreenToClient(host->GetCursorPos());
    }
}

} // namespace vl

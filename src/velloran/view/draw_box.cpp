#include "velloran/view/draw_box.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "velloran/document/data_mod.h"
#include "velloran/document/data_module.h"
#include "velloran/document/file_header.h"
#include "velloran/foundations/measure.h"
#include "velloran/foundations/round.h"
#include "velloran/objects/cap_list.h"
#include "velloran/objects/object.h"
#include "velloran/platform/canvas.h"
#include "velloran/platform/clipboard.h"
#include "velloran/platform/services.h"
#include "velloran/tools/creator.h"
#include "velloran/tools/find_creator.h"
#include "velloran/tools/mouse_tool.h"

namespace vl {

namespace {

int32_t Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

TLimRec Normalised(TPoint a, TPoint b) {
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

} // namespace

TCustomDrawBox::TCustomDrawBox(TComponent* AOwner)
    : TScrollPaint(AOwner),
      FScaleSetting(std::make_unique<TScaleSetting>()),
      FGrid(std::make_unique<TvlGrid>([this] { InvalidateBox(); })),
      FShadows(std::make_unique<TShadows>()) {
    if (Designing()) FScaleSetting->State.Include(TScaleFlag::scDesigning);
}

TCustomDrawBox::~TCustomDrawBox() {
    if (State.Contains(TBoxStateItem::bsOwnDataMod) && FDataModule) {
        TvlDataMod* dm = FDataModule;
        SetDataModule(nullptr);
        // One owned by this draw box goes with its components anyway.
        if (dm->Owner() != this) {
            if (TComponent* own = dm->Owner())
                own->RemoveComponent(dm).reset();
            else
                delete dm;
        }
    }
    FScaleHorz.reset();
    FScaleVert.reset();
    SetTool(nullptr);
    if (ActScaleSet == FScaleSetting.get()) ActScaleSet = nullptr;
    if (Host()) Host()->ClipCursor(nullptr);
}

// ---- Links ----------------------------------------------------------------------

void TCustomDrawBox::SetDataModule(TvlDataMod* Value) {
    if (Value == FDataModule) return;
    // The old document stays subscribed: it may hold this box as its
    // DrawForm through the same link.
    FDataModule = Value;
    FMouseFnd = nullptr;
    if (FDataModule) FDataModule->FreeNotification(this);
}

void TCustomDrawBox::SetTool(TMouseTool* Value) {
    if (Value == FTool) return;
    // Likewise the old tool.
    FTool = Value;
    if (FTool) FTool->FreeNotification(this);
}

bool TCustomDrawBox::LinkedHere(TComponent* AComponent) const {
    const auto* env = dynamic_cast<TEnvironment*>(AComponent);
    return env && env->DrawForm() == this;
}

void TCustomDrawBox::Notification(TComponent* AComponent, TOperation Operation) {
    TScrollPaint::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove) {
        if (AComponent == FDataModule) {
            FDataModule = nullptr;
            FMouseFnd = nullptr;
            State.Exclude(TBoxStateItem::bsOwnDataMod);
        }
        if (AComponent == FTool) FTool = nullptr;
        return;
    }
    if (!Designing() || AComponent == this) return;
    if (auto* env = dynamic_cast<TEnvironment*>(AComponent); env && !env->DrawForm()) {
        env->SetDrawForm(this);
        if (auto* dm = dynamic_cast<TvlDataMod*>(env); dm && !FDataModule) SetDataModule(dm);
    }
}

void TCustomDrawBox::SetCursor(TCursor Value) {
    FCursor = Value;
    if (Host()) Host()->SetCursor(Value);
}

void TCustomDrawBox::SetHost(TWindowHost* AHost) {
    // The mapping must not keep the canvas of a window that went away.
    if (Host() && FScaleSetting->Canvas() == &Host()->Canvas()) FScaleSetting->SetCanvas(nullptr);
    TScrollPaint::SetHost(AHost);
    if (AHost) {
        if (!FScaleSetting->Canvas()) FScaleSetting->SetCanvas(&AHost->Canvas());
        AHost->SetCursor(FCursor);
    }
}

void TCustomDrawBox::SetScaleHorz(std::unique_ptr<TvlObject> Value) { FScaleHorz = std::move(Value); }

void TCustomDrawBox::SetScaleVert(std::unique_ptr<TvlObject> Value) { FScaleVert = std::move(Value); }

void TCustomDrawBox::AllLocalObjects(const TAllObjectsProc& Action, void* Params) {
    if (FScaleHorz) Action(FScaleHorz.get(), Params);
    if (FScaleVert) Action(FScaleVert.get(), Params);
}

TvlObject* TCustomDrawBox::FindLocalObject(const TFirstObjectFunc& Condition, void* Params) {
    if (FScaleHorz && Condition(FScaleHorz.get(), Params)) return FScaleHorz.get();
    if (FScaleVert && Condition(FScaleVert.get(), Params)) return FScaleVert.get();
    return nullptr;
}

// ---- Life -----------------------------------------------------------------------

void TCustomDrawBox::Loaded() {
    TScrollPaint::Loaded();
    TServices& svc = Services();
    if (!svc.HasCursor(crSmallCross)) svc.RegisterCursor(crSmallCross, LibraryCursorImage(crSmallCross));
    if (Designing()) return;

    TScaleSetting& ss = *FScaleSetting;
    ss.OnScaleChange = [this](TObject* Sender) { ScaleChanged(Sender); };
    ss.SetScale(ss.Rcp_Scale() > 0 ? 1.0 / ss.Rcp_Scale() : 1.0);
    ss.SetPixPerM(Round(InchPerMeter() * svc.ScreenPixelsPerInch()));
    ss.CorrectContext();
    ss.SetRefScale({ss.VPExt(), ss.WndExt()});
    if (ss.GetRightOrigin()) ss.SetVPHomeX(ClientWidth());
    if (ss.GetBottomOrigin()) ss.SetVPHomeY(ClientHeight());
    ss.SetVPOrgX(ss.GetVPHomeX());
    ss.SetVPOrgY(ss.GetVPHomeY());

    std::u16string fmt;
    for (char ch : std::to_string(ThisAppID)) fmt += static_cast<char16_t>(ch);
    if (Owner()) fmt += Owner()->Name();
    fmt += u"_";
    fmt += Name();
    FClipboardFmt = svc.Clipboard().RegisterClipboardFormat(fmt);

    Initializing = true;
    // A linked document is kept even when it already holds objects.
    if (!FDataModule) InstallDataModule();
    ActScaleSet = FScaleSetting.get();
    InitTools();
}

void TCustomDrawBox::InstallDataModule() {
    TComponent& owner = Owner() ? *Owner() : static_cast<TComponent&>(*this);
    auto* dm = NewComponent<TvlDataModule>(owner);
    SetDataModule(dm);
    dm->SetDrawForm(this);
    State.Include(TBoxStateItem::bsOwnDataMod);
}

bool TCustomDrawBox::CanClose() const {
    return !FDataModule || !(FDataModule->State.Contains(TDataModFlag::dmLoading) ||
                             FDataModule->State.Contains(TDataModFlag::dmSaving));
}

void TCustomDrawBox::ScaleChanged(TObject*) {
    State.Include(TBoxStateItem::bsNewRange);
    if (OnScaleChange) OnScaleChange(this);
}

void TCustomDrawBox::DoInitialize() {
    Initializing = false;
    PredefineObjects();
}

void TCustomDrawBox::PredefineObjects() {
    if (!OnPredefineObjects) return;
    const TCursor saved = FCursor;
    OnPredefineObjects(this);
    SetCursor(saved);
    CheckScrollRange();
}

// ---- Tools ----------------------------------------------------------------------

void TCustomDrawBox::WithToolsDo(const TCompFilter& Filter, const TComponentProc& Action) {
    TComponent* own = Owner();
    if (!own) return;
    bool Stop = false;
    for (int32_t i = 0; i < own->ComponentCount() && !Stop; ++i) {
        TComponent* c = own->Components(i);
        auto* tool = dynamic_cast<TMouseTool*>(c);
        if (tool && tool->DrawForm() == this && (!Filter || Filter(c))) Action(c, Stop);
    }
}

bool TCustomDrawBox::Creators(TComponent* AComponent) { return dynamic_cast<TvlCreator*>(AComponent) != nullptr; }

void TCustomDrawBox::SetDefaultTool() {
    WithToolsDo(
        [](TComponent* c) { return static_cast<TMouseTool*>(c)->Options().Contains(TToolOption::toDefaultTool); },
        [this](TComponent* c, bool& Stop) {
            static_cast<TMouseTool*>(c)->Activate(this);
            Stop = true;
        });
}

void TCustomDrawBox::InitTools() {
    WithToolsDo({}, [](TComponent* c, bool&) { static_cast<TMouseTool*>(c)->Init(); });
}

std::unique_ptr<TvlObject> TCustomDrawBox::CreateObject(int16_t ToolID) {
    TvlCreator* c = FindCreator(Owner(), ToolID);
    return c ? c->CreateObject() : nullptr;
}

void TCustomDrawBox::RestoreFonts(TComponent* AComponent) {
    auto* c = dynamic_cast<TvlCreator*>(AComponent);
    if (!c) return;
    TFont f = c->Generator().Font();
    f.Height = c->Generator().FontBackup;
    c->Generator().SetFont(f);
    FScaleSetting->State.Include(TScaleFlag::scChanged);
}

// ---- Painting ---------------------------------------------------------------------

void TCustomDrawBox::InvalidateBox() {
    if (Host()) Host()->InvalidateAll(true);
}

TRect TCustomDrawBox::DeviceRect(const TLimRec& LimRec) {
    TPoint a{LimRec.Xmin, LimRec.Ymin}, b{LimRec.Xmax, LimRec.Ymax};
    if (TCanvas* c = Canvas()) {
        // Objects leave the origin at their own corner.
        c->SetWindowOrg({0, 0});
        a = c->LPtoDP(a);
        b = c->LPtoDP(b);
    }
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

void TCustomDrawBox::UpdateRect(const TLimRec& LimRec) {
    if (ActScaleSet && ActScaleSet->Canvas()) ActScaleSet->Canvas()->SetWindowOrg({0, 0});
    if (!Host()) return;
    Host()->Invalidate(DeviceRect(LimRec), true);
    // A repaint in the middle of a paint would draw into the running one.
    if (!Painting()) Host()->Update();
}

void TCustomDrawBox::InvalidateRestoreRect() {
    if (FDataModule) FDataModule->InvalidateRestoreRect();
}

void TCustomDrawBox::InvalidateChanges() {
    if (!Host() || !Host()->Showing() || !Visible() || !FDataModule) return;
    const TLimRec& r = FDataModule->RestoreRect();
    if (r.Xmin > r.Xmax || r.Ymin > r.Ymax) return;
    Host()->Invalidate(DeviceRect(r), true);
}

TRect TCustomDrawBox::GetClientRect_Log() {
    const TRect r = Host() ? Host()->ClientRect() : TRect{};
    TCanvas* c = Canvas();
    if (!c) return r;
    const TPoint a = c->DPtoLP(r.TopLeft()), b = c->DPtoLP(r.BottomRight());
    return {a.X, a.Y, b.X, b.Y};
}

TPoint TCustomDrawBox::DeviceToLog(TPoint P) {
    TCanvas* c = Canvas();
    return c ? c->DPtoLP(P) : P;
}

TPoint TCustomDrawBox::LogToScreen(TPoint LogPnt) {
    TCanvas* c = Canvas();
    const TPoint d = c ? c->LPtoDP(LogPnt) : LogPnt;
    return Host() ? Host()->ClientToScreen(d) : d;
}

TCanvas* TCustomDrawBox::GetDeviceContext() {
    TCanvas* c = TScrollPaint::GetDeviceContext();
    if (c && !Designing()) FScaleSetting->SetMap(*c);
    return c;
}

void TCustomDrawBox::Paint(TCanvas& DC, const TRect& updateRect) {
    if (Initializing) DoInitialize();
    FUpdateRect = updateRect;
    TScrollPaint::Paint(DC, updateRect);
}

void TCustomDrawBox::PaintObjects(TvlObject* AnyObject, const TLimRec& Area) {
    if (AnyObject->Generator().RTOptions().Contains(TRuntimeOption::roNosy)) {
        // Objects that follow the view (rulers) adapt before they draw.
        TObjMessage msg{200, 0, 0, 0};
        AnyObject->ObjectMessage(msg);
    }
    if (AnyObject->GetVisible() && AnyObject->CheckFrame(Area)) AnyObject->Show();
}

void TCustomDrawBox::Paint() {
    if (Designing()) return;
    if (ActScaleSet && ActScaleSet->State.Contains(TScaleFlag::scPrinting)) return;
    TCanvas& c = *Canvas();
    TScaleSetting& ss = *FScaleSetting;
    // Objects draw on the mapping's canvas: for this paint that is the paint surface.
    struct TRebind {
        TScaleSetting& ss;
        TCanvas* prev;
        ~TRebind() { ss.SetCanvas(prev); }
    } rebind{ss, ss.Canvas()};
    ss.SetCanvas(&c);

    ss.SetMap(c);
    ss.SetClientRect_Log(GetClientRect_Log());
    const TRect clip = c.GetClipBox();
    TLimRec area = Normalised(clip.TopLeft(), clip.BottomRight());
    if (FUpdateRect.Right > FUpdateRect.Left && FUpdateRect.Bottom > FUpdateRect.Top) {
        const TLimRec u = Normalised(c.DPtoLP(FUpdateRect.TopLeft()), c.DPtoLP(FUpdateRect.BottomRight()));
        area = {std::max(area.Xmin, u.Xmin), std::max(area.Ymin, u.Ymin), std::min(area.Xmax, u.Xmax),
                std::min(area.Ymax, u.Ymax)};
    }
    ActScaleSet = &ss;
    c.Brush().Color = Color();

    if (FGrid->Visible()) FGrid->Draw(area);
    if (BeforePaint) BeforePaint(this);
    const TAllObjectsProc paintLocal = [this, &area](TvlObject* o, void*) { PaintObjects(o, area); };
    AllLocalObjects(paintLocal, nullptr);

    if (FDataModule && !FDataModule->Empty()) {
        const TLimRec before = FDataModule->GetLimits();
        if (ss.State.Contains(TScaleFlag::scChanged)) {
            WithToolsDo(Creators, [](TComponent* t, bool&) { static_cast<TvlCreator*>(t)->CheckScaling(); });
            FDataModule->AllObjects([](TvlObject* o, void*) { o->AdjustToScale(); }, nullptr);
            if (ss.State.Contains(TScaleFlag::scBoundsChanged)) FDataModule->InitLimits();
        }
        FDataModule->AllObjects([this, &area](TvlObject* o, void*) { PaintObjects(o, area); }, nullptr);
        c.SetWindowOrg({0, 0});
        // Objects added since the last range check widen the limits at once,
        // not during the walk: compare with the range's limits as well.
        if (!FDataModule->CompareLimits(before) || !FDataModule->CompareLimits(FRangeLimits))
            State.Include(TBoxStateItem::bsNewRange);
        if (State.Contains(TBoxStateItem::bsNewRange)) CheckScrollRange();
        ss.State -= {TScaleFlag::scChanged, TScaleFlag::scFontChanged, TScaleFlag::scBoundsChanged};
    }

    if (AfterPaint) AfterPaint(this);
    WithToolsDo(Creators, [](TComponent* t, bool&) { static_cast<TvlCreator*>(t)->ReleaseResources(); });
    // bsUpdateScrollbars stays with UpdateScrollBars, which always clears it itself.
    State -= {TBoxStateItem::bsHScrolling, TBoxStateItem::bsVScrolling};
}

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
    for (TvlObject* o : marked) {
        o->Invalidate();
        o->MovePos(DeltaPos);
        o->Invalidate();
    }
    FDataModule->UnSelect(nullptr);
}

void TCustomDrawBox::SetScale(double Value) {
    if (Value <= 0) {
        for (TvlScrollBar* bar : {&HorzScrollBar(), &VertScrollBar()}) {
            bar->NoRange();
            bar->SetVisible(false);
        }
        if (FDataModule && Host()) FScaleSetting->SetFullScreen(*FDataModule, *Host());
    } else {
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
    if (AutoScroll() && FTool->ToolState.Contains(TToolStateItem::tsCanScroll)) doToolScroll({X, Y});
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

void TCustomDrawBox::Resize() {
    TScrollPaint::Resize();
    SyncOrigin();
    if (FTool && FTool->ToolState.Contains(TToolStateItem::tsCanScroll)) SetClipping();
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
    while (holds(zone, p) && FTool && FTool->ToolState.Contains(TToolStateItem::tsCanScroll)) {
        const uint32_t now = svc.GetTickCount();
        if (now - ticks > AutoScrollTime) {
            ticks = now;
            FTool->Scroll(step, DeviceToLog(p));
            if (TCanvas* c = Canvas()) c->SetWindowOrg({0, 0});
        }
        p = host->ScreenToClient(host->GetCursorPos());
    }
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

#include "velloran/view/draw_box.h"

#include <algorithm>
#include <string>

#include "velloran/document/data_mod.h"
#include "velloran/document/data_module.h"
#include "velloran/foundations/round.h"
#include "velloran/generators/custom_generator.h"
#include "velloran/objects/object.h"
#include "velloran/objects/object_tool.h"
#include "velloran/platform/canvas.h"
#include "velloran/platform/clipboard.h"
#include "velloran/platform/measure.h"
#include "velloran/platform/services.h"
#include "velloran/storage/file_header.h"
#include "velloran/view/view_tool.h"

namespace vl {

namespace {

TLimRec Normalised(TPoint a, TPoint b) {
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

} // namespace

TCustomDrawBox::TCustomDrawBox(TComponent* AOwner)
    : TScrollPaint(AOwner),
      FScaleSetting(std::make_unique<TScaleSetting>()),
      FGrid(std::make_unique<TvlGrid>([this] { InvalidateBox(); })),
      FShadows(std::make_unique<TShadows>()),
      FApplication(std::make_unique<TvlApplication>()) {
    if (Designing()) FScaleSetting->State.Include(TScaleFlag::scDesigning);
    // The drawing follows a dragged thumb; left to the release, the view
    // stands still while the user looks for the place to go.
    for (TvlScrollBar* bar : {&HorzScrollBar(), &VertScrollBar()}) bar->SetTracking(true);
}

void TCustomDrawBox::TFreeFromOwner::operator()(TComponent* AComponent) const {
    if (TComponent* owner = AComponent->Owner())
        owner->RemoveComponent(AComponent).reset();
    else
        delete AComponent;
}

TCustomDrawBox::~TCustomDrawBox() {
    SetDataModule(nullptr);
    FOwnDataModule.reset();
    FScaleHorz.reset();
    FScaleVert.reset();
    SetTool(nullptr);
    TActScaleSetScope::Forget(FScaleSetting.get());
    if (Host()) Host()->ClipCursor(nullptr);
}

// ---- Links ----------------------------------------------------------------------

TObjectDocument* TCustomDrawBox::ObjectDocument() const { return FDataModule; }

void TCustomDrawBox::SetDataModule(TvlDataMod* Value) {
    if (Value == FDataModule) return;
    // The old document stays subscribed: it may hold this box as its
    // DrawForm through the same link.
    FDataModule = Value;
    FMouseFnd = nullptr;
    if (FDataModule) FDataModule->FreeNotification(this);
}

void TCustomDrawBox::SetTool(TViewTool* Value) {
    if (Value == FTool) return;
    // Likewise the old tool.
    FTool = Value;
    if (FTool) FTool->FreeNotification(this);
}

void TCustomDrawBox::Notification(TComponent* AComponent, TOperation Operation) {
    TScrollPaint::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove) {
        if (AComponent == FDataModule) {
            FDataModule = nullptr;
            FMouseFnd = nullptr;
        }
        if (AComponent == FOwnDataModule.get()) {
            // Freed by its owner first: nothing is left to free.
            (void)FOwnDataModule.release();
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

void TCustomDrawBox::AllLocalObjects(TAllObjectsProc Action) {
    if (FScaleHorz) Action(FScaleHorz.get());
    if (FScaleVert) Action(FScaleVert.get());
}

TvlObject* TCustomDrawBox::FindLocalObject(TFirstObjectFunc Condition) {
    if (FScaleHorz && Condition(FScaleHorz.get())) return FScaleHorz.get();
    if (FScaleVert && Condition(FScaleVert.get())) return FScaleVert.get();
    return nullptr;
}

void TCustomDrawBox::ReleaseToolObjects(const TObjectTool& Tool) {
    // The object under the mouse may hang on one of the creator's objects in
    // any document; it is found again at the next move.
    FMouseFnd = nullptr;
    for (std::unique_ptr<TvlObject>* local : {&FScaleHorz, &FScaleVert})
        if (*local && (*local)->Tool() == &Tool) local->reset();
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
    // The identity the first paint will commit: an uncommitted -1 would give
    // every application the same format.
    for (char ch : std::to_string(FApplication->CommittedAppID())) fmt += static_cast<char16_t>(ch);
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
    FOwnDataModule.reset(dm);
    // An owner that is still being read made it in the loading state.
    if (dm->Loading()) dm->Loaded();
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
        auto* tool = dynamic_cast<TViewTool*>(c);
        if (tool && tool->DrawForm() == this && (!Filter || Filter(c))) Action(c, Stop);
    }
}

bool TCustomDrawBox::Creators(TComponent* AComponent) { return dynamic_cast<TObjectTool*>(AComponent) != nullptr; }

void TCustomDrawBox::SetDefaultTool() {
    WithToolsDo(
        [](TComponent* c) { return static_cast<TViewTool*>(c)->IsDefaultTool(); },
        [this](TComponent* c, bool& Stop) {
            static_cast<TViewTool*>(c)->Activate(this);
            Stop = true;
        });
}

void TCustomDrawBox::InitTools() {
    WithToolsDo({}, [](TComponent* c, bool&) { static_cast<TViewTool*>(c)->Init(); });
}

std::unique_ptr<TvlObject> TCustomDrawBox::CreateObject(int16_t ToolID) {
    TObjectTool* c = FindObjectTool(Owner(), ToolID);
    return c ? c->CreateObject() : nullptr;
}

void TCustomDrawBox::RestoreFonts(TComponent* AComponent) {
    auto* c = dynamic_cast<TObjectTool*>(AComponent);
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
    FApplication->Commit();
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
    const auto paintLocal = [this, &area](TvlObject* o) { PaintObjects(o, area); };
    AllLocalObjects(paintLocal);

    if (FDataModule && !FDataModule->Empty()) {
        const TLimRec before = FDataModule->GetLimits();
        if (ss.State.Contains(TScaleFlag::scChanged)) {
            WithToolsDo(Creators, [](TComponent* t, bool&) { static_cast<TViewTool*>(t)->CheckScaling(); });
            FDataModule->AllObjects([](TvlObject* o) { o->AdjustToScale(); });
            if (ss.State.Contains(TScaleFlag::scBoundsChanged)) FDataModule->InitLimits();
        }
        FDataModule->AllObjects([this, &area](TvlObject* o) { PaintObjects(o, area); });
        c.SetWindowOrg({0, 0});
        // Objects added since the last range check widen the limits at once,
        // not during the walk: compare with the range's limits as well.
        if (!FDataModule->CompareLimits(before) || !FDataModule->CompareLimits(FRangeLimits))
            State.Include(TBoxStateItem::bsNewRange);
        if (State.Contains(TBoxStateItem::bsNewRange)) CheckScrollRange();
        ss.State -= {TScaleFlag::scChanged, TScaleFlag::scFontChanged, TScaleFlag::scBoundsChanged};
    }

    if (AfterPaint) AfterPaint(this);
    WithToolsDo(Creators, [](TComponent* t, bool&) { static_cast<TViewTool*>(t)->ReleaseResources(); });
    // bsUpdateScrollbars stays with UpdateScrollBars, which always clears it itself.
    State -= {TBoxStateItem::bsHScrolling, TBoxStateItem::bsVScrolling};
}

} // namespace vl

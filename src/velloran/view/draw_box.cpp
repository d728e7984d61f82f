#include "velloran/view/draw_box.h"

#include <algorithm>

#include "velloran/document/data_mod.h"
#include "velloran/platform/canvas.h"
#include "velloran/tools/mouse_tool.h"

namespace vl {

TCustomDrawBox::TCustomDrawBox(TComponent* AOwner)
    : TScrollPaint(AOwner),
      FScaleSetting(std::make_unique<TScaleSetting>()),
      FGrid(std::make_unique<TvlGrid>([this] { if (Host()) Host()->InvalidateAll(); })),
      FShadows(std::make_unique<TShadows>()) {
    if (Designing()) FScaleSetting->State.Include(TScaleFlag::scDesigning);
}

TCustomDrawBox::~TCustomDrawBox() {
    if (ActScaleSet == FScaleSetting.get()) ActScaleSet = nullptr;
}

void TCustomDrawBox::SetDataModule(TvlDataMod* Value) {
    if (Value == FDataModule) return;
    if (FDataModule) FDataModule->RemoveFreeNotification(this);
    FDataModule = Value;
    if (FDataModule) FDataModule->FreeNotification(this);
}

void TCustomDrawBox::Notification(TComponent* AComponent, TOperation Operation) {
    TScrollPaint::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (AComponent == FDataModule) {
        FDataModule = nullptr;
        FMouseFnd = nullptr;
    }
    if (AComponent == FTool) FTool = nullptr;
}

void TCustomDrawBox::SetTool(TMouseTool* Value) {
    if (Value == FTool) return;
    // The tool also links to this box as its DrawForm; that link must stay.
    if (FTool && FTool->DrawForm() != this) RemoveFreeNotification(FTool);
    FTool = Value;
    if (FTool) FreeNotification(FTool);
}

namespace {
template <typename F> void ForEachTool(TCustomDrawBox* Box, F&& Action) {
    TComponent* owner = Box->Owner();
    if (!owner) return;
    for (int32_t i = 0; i < owner->ComponentCount(); ++i) {
        auto* t = dynamic_cast<TMouseTool*>(owner->Components(i));
        if (t && t->DrawForm() == Box && Action(t)) return;
    }
}
} // namespace

void TCustomDrawBox::SetDefaultTool() {
    ForEachTool(this, [this](TMouseTool* t) {
        if (!t->Options().Contains(TToolOption::toDefaultTool)) return false;
        t->Activate(this);
        return true;
    });
}

void TCustomDrawBox::InitTools() {
    ForEachTool(this, [](TMouseTool* t) {
        t->Init();
        return false;
    });
}

void TCustomDrawBox::SetClipping() {
    if (!Host()) return;
    TRect r = Host()->ClientRect();
    --r.Right;
    --r.Bottom;
    Host()->ClipCursor(&r);
}

void TCustomDrawBox::SetCursor(TCursor Value) {
    FCursor = Value;
    if (Host()) Host()->SetCursor(Value);
}

void TCustomDrawBox::SetHost(TWindowHost* AHost) {
    TScrollPaint::SetHost(AHost);
    if (AHost && !FScaleSetting->Canvas()) FScaleSetting->SetCanvas(&AHost->Canvas());
}

TRect TCustomDrawBox::DeviceRect(const TLimRec& LimRec) {
    TCanvas* c = FScaleSetting->Canvas();
    TPoint a{LimRec.Xmin, LimRec.Ymin}, b{LimRec.Xmax, LimRec.Ymax};
    if (c) {
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
    Host()->Update();
}

void TCustomDrawBox::InvalidateChanges() {
    if (!Host() || !Host()->Showing() || !FDataModule) return;
    const TLimRec& r = FDataModule->RestoreRect();
    if (r.Xmin > r.Xmax || r.Ymin > r.Ymax) return;
    Host()->Invalidate(DeviceRect(r), true);
}

} // namespace vl

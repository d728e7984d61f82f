#include "velloran/tools/mouse_tool.h"

#include "velloran/platform/button.h"
#include "velloran/scale/scale_setting.h"
#include "velloran/view/draw_box.h"

namespace vl {

namespace {
// The click handler a tool puts on its button; its type lets a tool tell
// its own binding from another tool's.
struct TToolClick {
    TMouseTool* Tool;
    void operator()(TObject* Sender) const { Tool->Activate(Sender); }
};
} // namespace

TMouseTool::~TMouseTool() {
    UnbindButton();
    if (ToolState.Contains(TToolStateItem::tsCanScroll)) ReleaseClipping();
    // The draw box hears of the removal too, but only after this part of the
    // tool is gone; it must not keep it as current until then.
    if (DrawForm() && DrawForm()->Tool() == this) DrawForm()->SetTool(nullptr);
}

// ---- Button binding -----------------------------------------------------------

void TMouseTool::UnbindButton() {
    auto* b = dynamic_cast<TButton*>(FButton);
    if (!b) return;
    // A button another tool has taken over keeps that tool's click.
    const TToolClick* click = b->OnClick.target<TToolClick>();
    if (click && click->Tool == this) b->OnClick = nullptr;
}

void TMouseTool::SetButton(TComponent* Value) {
    if (Value == FButton) return;
    if (FButton) {
        UnbindButton();
        FButton->RemoveFreeNotification(this);
    }
    FButton = Value;
    if (!FButton) return;
    FButton->FreeNotification(this);
    if (auto* b = dynamic_cast<TButton*>(FButton)) b->OnClick = TToolClick{this};
}

void TMouseTool::Notification(TComponent* AComponent, TOperation Operation) {
    TEnvironment::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FButton) FButton = nullptr;
}

void TMouseTool::SetDrawForm(TObjectView* Value) {
    TCustomDrawBox* old = DrawForm();
    if (Value == old) return;
    // A tool that leaves a draw box stops being its current tool.
    if (old && old->Tool() == this) {
        Terminate();
        old->SetTool(nullptr);
    }
    TEnvironment::SetDrawForm(Value);
}

// ---- Activation ---------------------------------------------------------------

void TMouseTool::Init() {
    if (FOptions.Contains(TToolOption::toDefaultTool)) Activate(this);
}

void TMouseTool::Activate(TObject*) {
    TCustomDrawBox* box = DrawForm();
    if (!box) return;
    if (TViewTool* current = box->Tool()) current->Terminate();
    box->SetTool(this);
    box->SetCursor(FCursor);
    ActScaleSet = &box->ScaleSetting();
    if (OnActivate) OnActivate(this);
}

void TMouseTool::Terminate() {
    ReleaseClipping();
    if (OnTerminate) OnTerminate(this);
}

void TMouseTool::SetDefaultTool() {
    if (!FOptions.Contains(TToolOption::toDefaultTool) && DrawForm()) DrawForm()->SetDefaultTool();
}

TColor TMouseTool::GetclNeutral() const { return DrawForm() ? DrawForm()->Color() : clWindow; }

// ---- Events -------------------------------------------------------------------

void TMouseTool::LMouseDown(TShiftState, TPoint) {}
void TMouseTool::LMouseUp(TShiftState, TPoint) {}
void TMouseTool::MouseMove(TShiftState, TPoint) {}
void TMouseTool::LeftDblClk(TShiftState, TPoint) {}
void TMouseTool::RMouseDown(TShiftState, TPoint) { SetDefaultTool(); }
void TMouseTool::RMouseUp(TShiftState, TPoint) {}
void TMouseTool::RightDblClk(TShiftState, TPoint) {}
bool TMouseTool::KeyDown(uint16_t&, TShiftState) { return false; }
bool TMouseTool::KeyUp(uint16_t&, TShiftState) { return false; }
void TMouseTool::Scroll(const TScrollProc&, TPoint) {}

// ---- Dragging -----------------------------------------------------------------

void TMouseTool::StartWorking(TToolStateItem Flag) {
    ToolState.Include(Flag);
    if (FOptions.Contains(TToolOption::toDontScroll)) return;
    ToolState.Include(TToolStateItem::tsCanScroll);
    if (DrawForm()) DrawForm()->SetClipping();
}

void TMouseTool::StopWorking() {
    ToolState.Exclude(TToolStateItem::tsWorking)
        .Exclude(TToolStateItem::tsMoving)
        .Exclude(TToolStateItem::tsCanScroll);
    ReleaseClipping();
}

void TMouseTool::ReleaseClipping() {
    if (DrawForm() && DrawForm()->Host()) DrawForm()->Host()->ClipCursor(nullptr);
}

} // namespace vl

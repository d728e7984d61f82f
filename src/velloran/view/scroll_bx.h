#pragma once
// The scrolling control as a component: border, the tool edge-scrolling
// switch, resize notification and the usual control properties and events.

#include <cstdint>
#include <functional>
#include <string>

#include "velloran/platform/colors.h"
#include "velloran/view/scroll_win_control.h"

namespace vl {

/// The border of a scrolling control.
enum class TBorderStyle : uint8_t { bsNone, bsSingle };

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int32_t X, int32_t Y)>;

/// The scrolling control as a component, with its border, events and tool edge scrolling.
class TScrollBx : public TScrollWinControl {
public:
    explicit TScrollBx(TComponent* AOwner = nullptr) : TScrollWinControl(AOwner) {}

    std::string ClassName() const override { return "TScrollBx"; }

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    /// The window takes the new frame; everything is repainted.
    void SetBorderStyle(TBorderStyle Value);
    /// Scrolling while a tool works near the edge; unrelated to the automatic range.
    bool AutoScroll() const { return FAutoScrl; }
    void SetAutoScroll(bool Value) { FAutoScrl = Value; }

    /// Design size; a host decides the real one.
    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    void SetWidth(int32_t Value) { FWidth = Value; }
    void SetHeight(int32_t Value) { FHeight = Value; }
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value) { FAlign = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; FParentColor = false; }
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value) { FParentColor = Value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value) { FShowHint = Value; FParentShowHint = false; }
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value) { FParentShowHint = Value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }

    TNotifyEvent OnResize;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;

    /// Size message: the scrolling control's handling, then, unless loading,
    /// the resize notification.
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void Enter() override;
    void Exit() override;

protected:
    /// The resize notification: raises OnResize.
    virtual void DoResize();

private:
    TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
    bool FAutoScrl = false;
    int32_t FWidth = 185;
    int32_t FHeight = 41;
    TAlign FAlign = TAlign::alNone;
    bool FEnabled = true;
    TColor FColor = clWindow;
    bool FParentColor = true;
    bool FShowHint = false;
    bool FParentShowHint = true;
    bool FVisible = true;
};

} // namespace vl

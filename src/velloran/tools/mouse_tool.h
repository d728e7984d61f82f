#pragma once
// TMouseTool: the interactive tool. The draw box hands it every mouse and
// key event in logical coordinates; activation makes it the draw box's
// current tool; a bound button activates it when clicked.

#include <cstdint>

#include "velloran/foundations/set.h"
#include "velloran/foundations/types.h"
#include "velloran/platform/colors.h"
#include "velloran/platform/cursors.h"
#include "velloran/platform/object.h"
#include "velloran/platform/window_host.h"
#include "velloran/view/view_tool.h"

namespace vl {

/// Options of a mouse tool.
enum class TToolOption : uint8_t { toDefaultTool, toDontScroll };
using TToolOptions = TSet<TToolOption, uint8_t>;
/// State flags of a mouse tool.
enum class TToolStateItem : uint8_t { tsWaiting, tsWorking, tsMoving, tsCanScroll };
using TToolState = TSet<TToolStateItem, uint8_t>;

/// The interactive tool; the draw box hands it every mouse and key event in logical coordinates.
class TMouseTool : public TViewTool {
public:
    using TViewTool::TViewTool;
    /// Gives up the button's click, if it is still this tool's.
    ~TMouseTool() override;
    std::string ClassName() const override { return "TMouseTool"; }

    TToolOptions Options() const { return FOptions; }
    void SetOptions(TToolOptions Value) { FOptions = Value; }
    /// Shown by the draw box while this tool is current.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value) { FCursor = Value; }
    /// Not owned; any component. Only buttons get their click bound.
    TComponent* Button() const { return FButton; }
    void SetButton(TComponent* Value);

    /// The tool became the draw box's current tool.
    TNotifyEvent OnActivate;
    /// The tool stopped being current.
    TNotifyEvent OnTerminate;
    TToolState ToolState;

    // ---- Virtual operations, in slot order ----------------------------------
    /// At the end of the draw box's loading: a default tool activates itself.
    void Init() override;
    /// This tool stops being current: releases the cursor.
    void Terminate() override;
    /// Makes this tool the current tool of DrawForm; fits a click handler.
    void Activate(TObject* Sender) override;
    void LMouseDown(TShiftState Shift, TPoint CurPos) override;
    void LMouseUp(TShiftState Shift, TPoint CurPos) override;
    void MouseMove(TShiftState Shift, TPoint CurPos) override;
    void LeftDblClk(TShiftState Shift, TPoint CurPos) override;
    /// Hands control back to the default tool.
    void RMouseDown(TShiftState Shift, TPoint CurPos) override;
    void RMouseUp(TShiftState Shift, TPoint CurPos) override;
    void RightDblClk(TShiftState Shift, TPoint CurPos) override;
    /// The draw box ignores the result.
    bool KeyDown(uint16_t& aKey, TShiftState aShift) override;
    bool KeyUp(uint16_t& aKey, TShiftState aShift) override;
    /// Called repeatedly while the cursor is at an edge and tsCanScroll is
    /// set. A tool that scrolls removes its feedback, calls ScrollProc, lets
    /// pending messages through and redraws at CurPos; the base never scrolls.
    void Scroll(const TScrollProc& ScrollProc, TPoint CurPos) override;

    /// Activates the draw box's default tool, unless this is a default tool.
    void SetDefaultTool();
    /// The draw box's background colour (clWindow without one).
    TColor GetclNeutral() const;

    // ---- Dragging -------------------------------------------------------------
    /// A drag begins: Flag (tsWorking or tsMoving) and, unless toDontScroll,
    /// tsCanScroll with the cursor confined to the draw box.
    void StartWorking(TToolStateItem Flag);
    /// The drag ends or is cancelled: clears the flags and frees the cursor.
    void StopWorking();
    /// Frees the cursor from any confinement.
    void ReleaseClipping();

    bool IsDefaultTool() const override { return FOptions.Contains(TToolOption::toDefaultTool); }
    bool CanScroll() const override { return ToolState.Contains(TToolStateItem::tsCanScroll); }

    void SetDrawForm(TObjectView* Value) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    TToolOptions FOptions;
    TCursor FCursor = crDefault;

private:
    void UnbindButton();

    TComponent* FButton = nullptr;
};

} // namespace vl

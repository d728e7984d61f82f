#pragma once
// TMarkMove: the selection tool. Moving the mouse finds the object under it,
// a click marks it, a drag moves every marked object with its dependants
// (outlines follow the mouse, the move is committed on release). Dragging
// the handle of a single marked object sizes or turns it instead.

#include <cstdint>
#include <functional>

#include "velloran/tools/save_tool.h"

namespace vl {

/// The framework's mouse-move event: X, Y logical.
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int32_t X, int32_t Y)>;

/// What a pending delayed move does now.
enum class TWait : uint8_t { wtZero, wtStart, wtWait };

/// The selection tool: marks, moves, sizes and turns objects.
class TMarkMove : public TSaveTool {
public:
    /// A selection tool owned by AOwner (usually the form).
    explicit TMarkMove(TComponent* AOwner);
    std::string ClassName() const override { return "TMarkMove"; }

    /// True: the moving objects are hidden and only their outlines follow.
    bool HidePicture() const { return FHidePicture; }
    void SetHidePicture(bool Value);
    /// Milliseconds the button must rest on a newly marked object before it
    /// moves; 0: the first mouse move starts the move.
    int32_t Delay() const { return FDelayMove; }
    void SetDelay(int32_t Value) { FDelayMove = Value; }
    /// The hit tolerance of lines, shared by every view; values <= 0 are ignored.
    static int32_t FindLines();
    static void SetFindLines(int32_t Value);
    /// Mirrored into the draw box, which draws the marks.
    TColor MarkColor() const;
    void SetMarkColor(TColor Value);

    /// An object was clicked with the left button.
    TObjectEvent OnObjectClick;
    /// An object was clicked with the right button.
    TObjectEvent OnObjectClickR;
    /// An object was double-clicked.
    TObjectEvent OnObjectDblClick;
    /// The marked objects start to move.
    TMouseMoveEvent OnObjectStartMove;
    /// The marked objects follow the mouse.
    TMouseMoveEvent OnObjectMove;
    /// The move was committed.
    TMouseMoveEvent OnObjectEndMove;

    /// Where the last applied step of a move ended.
    TPoint MovOrg;
    /// Tick of the click that marked an object; 0: no delayed move pending.
    uint32_t WaitTick = 0;

    void Loaded() override;
    void Init() override;
    void Terminate() override;
    void LMouseDown(TShiftState Shift, TPoint CurPos) override;
    void LMouseUp(TShiftState Shift, TPoint CurPos) override;
    void MouseMove(TShiftState Shift, TPoint CurPos) override;
    void LeftDblClk(TShiftState Shift, TPoint CurPos) override;
    void RMouseDown(TShiftState Shift, TPoint CurPos) override;
    void Scroll(const TScrollProc& ScrollProc, TPoint CurPos) override;

    /// Pen, brush and font of the draw box's canvas for not-xor outlines.
    virtual void ShadowSettings();

    /// The search condition under the mouse: never objects with goDontFind.
    bool MouseFind(TvlObject* FndObject, const TLimRec& Params);
    /// One marked object shows its sizing handles, several show plain marks.
    void Mark(TvlObject* FndPnt);
    TWait Waiting();

    void StartMove(TShiftState Shift, TPoint CurPos);
    void MoveObj(TShiftState Shift, TPoint CurPos);
    void EndMove(TShiftState Shift, TPoint CurPos);
    bool Moving() const { return ToolState.Contains(TToolStateItem::tsMoving); }

protected:
    void ObjectClick(TvlObject* AObject);
    /// True when OnObjectClickR is assigned.
    bool ObjectClickR(TvlObject* AObject);
    void ObjectDblClick(TvlObject* AObject);
    void ObjectStartMove(TShiftState Shift, TPoint CurPos);
    void ObjectMove(TShiftState Shift, TPoint CurPos);
    void ObjectEndMove(TShiftState Shift, TPoint CurPos);

private:
    void FindUnderMouse(TShiftState Shift, TPoint CurPos);
    void UnSelectAll();
    /// The step since MovOrg, snapped when the grid captures; MovOrg follows.
    TPoint StepTo(TPoint CurPos);
    /// Not-xor outlines of the mark case; drawn at most once, so a move ended
    /// while they are hidden (inside a scroll step) does not draw them back.
    void DrawShadows();
    void HideShadows();
    void MoveAll(TPoint Delta);
    /// The stream the moved objects' records go to; nullptr without undo of moves.
    TStream* BeginMoveBackup();
    void EndMoveBackup();

    bool FHidePicture = true;
    int32_t FDelayMove = 0;
    TColor FMarkColor = 255;
    bool FShadowsShown = false;
};

} // namespace vl

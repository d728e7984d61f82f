#pragma once
// TCustomLines: the creator of two-point objects. The first click starts a
// rubber band, the second makes the object; a chain starts the next line
// where the last one ended. Ortho mode keeps lines horizontal or vertical.

#include <cstdint>
#include <functional>
#include <span>

#include "velloran/platform/drawing_tools.h"
#include "velloran/tools/custom_points.h"

namespace vl {

/// X, Y: the rubber band's extent, not a position.
using TDynaShapeMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int32_t X, int32_t Y)>;

/// The creator of two-point objects: the first click starts a rubber band, the second makes the object.
class TCustomLines : public TCustomPoints {
public:
    /// With a line generator and the not-xor rubber-band pen.
    explicit TCustomLines(TComponent* AOwner);
    std::string ClassName() const override { return "TCustomLines"; }

    bool PolyShape() const { return FPolyShape; }
    void SetPolyShape(bool Value) { FPolyShape = Value; }
    bool OrthoMode() const { return FOrthoMode; }
    void SetOrthoMode(bool Value) { FOrthoMode = Value; }
    TPen& DynaLine() { return FDynaLine; }
    TPoint GetPosP1() const { return FPosP1; }
    TPoint GetPosP2() const { return FPosP2; }

    TCapClass DefaultClass() override;
    void LMouseDown(TShiftState Shift, TPoint CurPos) override;
    void MouseMove(TShiftState Shift, TPoint CurPos) override;
    void RMouseDown(TShiftState Shift, TPoint CurPos) override;
    void Scroll(const TScrollProc& ScrollProc, TPoint CurPos) override;
    TvlObject* SetNewObj(TPoint CurPos) override;
    /// A line in progress is given up: activated again, the tool starts anew.
    void Terminate() override;

    /// Draws the rubber band once; drawing it again removes it.
    virtual void DynShape();
    void DrawDynLin();
    void MoveDynLin(TShiftState Shift, TPoint CurPos);
    void DynaShapeStart();
    void DynaShapeEnd();
    /// Onto the horizontal or vertical through the first point; a tie is
    /// horizontal.
    void OrthoCoords(TPoint& P) const;
    /// Ends a line or chain in progress.
    void BreakPolyline();
    /// A chain through the points without mouse input; returns the last line.
    TvlObject* SetPolyObj(const TPoint* Points, int32_t NPnts);
    TvlObject* SetPolyObjA(std::span<const TPoint> Points);

    /// The rubber band of a new object appeared.
    TNotifyEvent OnDynaShapeStart;
    /// The rubber band follows the mouse.
    TDynaShapeMoveEvent OnDynaShapeMove;
    /// The rubber band went away.
    TNotifyEvent OnDynaShapeEnd;

protected:
    /// With the generator of a subclass.
    TCustomLines(TComponent* AOwner, std::unique_ptr<TCustomGenerator> AGenerator);
    /// The band is drawn in pixels of the draw box's own canvas; nullptr
    /// without one.
    TCanvas* BandCanvas() const;
    /// Snap when the grid captures, else ortho when it is on.
    void Constrain(TPoint& P) const;
    /// The band appears at P and the tool starts working (first click).
    void StartBand(TPoint P);
    /// After a line: the chain goes on from its end, or the tool is idle.
    void ContinueOrStop();

    TPoint FPosP1;
    TPoint FPosP2;

private:
    bool FPolyShape = false;
    bool FOrthoMode = false;
    TPen FDynaLine{clBlack, 1, TPenStyle::psSolid, TPenMode::pmNotXor};
};

/// The published line creator.
class TvlLines : public TCustomLines {
public:
    using TCustomLines::TCustomLines;
    std::string ClassName() const override { return "TvlLines"; }
};

} // namespace vl

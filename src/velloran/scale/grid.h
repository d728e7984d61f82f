#pragma once
// TvlGrid: the lattice the draw box paints beneath all objects and that
// creators and the mark-and-move tool snap to.

#include <cstdint>
#include <functional>

#include "velloran/foundations/types.h"
#include "velloran/platform/drawing_tools.h"
#include "velloran/platform/persistent.h"

namespace vl {

class TCanvas;

/// The lattice painted beneath all objects that creators and the mark-and-move tool snap to.
class TvlGrid : public TPersistent {
public:
    /// The owning view supplies how to repaint itself completely.
    using TInvalidateProc = std::function<void()>;

    explicit TvlGrid(TInvalidateProc invalidateView = {}) : FInvalidateView(std::move(invalidateView)) {}
    /// Takes the published settings, not the owner; repaints.
    void Assign(const TPersistent& Source) override;
    std::string ClassName() const override { return "TvlGrid"; }

    /// Repaints the whole view.
    void Changed();

    bool Visible() const { return FVisible; }
    /// Showing a grid that has no line interval gives it one.
    void SetVisible(bool value);
    bool Capture() const { return FCapture; }
    void SetCapture(bool value) { FCapture = value; }
    const TPen& Pen() const { return FPen; }
    void SetPen(const TPen& pen);
    int32_t IncHorz() const { return FIncHorz; }
    void SetIncHorz(int32_t value);
    int32_t IncVert() const { return FIncVert; }
    void SetIncVert(int32_t value);
    /// Every how many increments a line is drawn; 0 or less hides the grid.
    int32_t ShowEvery() const { return FShowEvery; }
    void SetShowEvery(int32_t value);

    /// Snaps a logical point or offset to the increments (halves to even);
    /// an increment below 1 leaves that coordinate alone.
    void MatchCoords(TPoint& P) const;

    /// Paints the lines that cross LimRec (logical) on ActScaleSet's canvas.
    void Draw(const TLimRec& LimRec) const;
    /// The same on any mapped canvas; One is the logical length of a pixel.
    void Draw(TCanvas& canvas, const TLimRec& LimRec, int32_t One) const;

private:
    int32_t FShowEvery = 0;
    bool FVisible = false;
    bool FCapture = false;
    TPen FPen;
    int32_t FIncHorz = 100;
    int32_t FIncVert = 100;
    TInvalidateProc FInvalidateView;
};

} // namespace vl

#pragma once
// TCustomDrawBox: the view that shows one document through its own mapping.
// This is the part objects and tools use today (mapping, grid, shadows, mark
// colour, document link, cursor, repainting an area); scrolling, painting
// and dispatch are completed by the draw-box work.

#include <memory>

#include "velloran/foundations/types.h"
#include "velloran/platform/colors.h"
#include "velloran/platform/cursors.h"
#include "velloran/view/grid.h"
#include "velloran/view/scale_setting.h"
#include "velloran/view/scroll_paint.h"
#include "velloran/view/shadows.h"

namespace vl {

class TvlDataMod;
class TvlObject;
class TMouseTool;

class TCustomDrawBox : public TScrollPaint {
public:
    explicit TCustomDrawBox(TComponent* AOwner);
    ~TCustomDrawBox() override;
    std::string ClassName() const override { return "TCustomDrawBox"; }

    TScaleSetting& ScaleSetting() { return *FScaleSetting; }
    TvlGrid& Grid() { return *FGrid; }
    TShadows& Shadows() { return *FShadows; }
    const TShadows& Shadows() const { return *FShadows; }
    // Colour of object marks.
    TColor clMarkPen() const { return FclMarkPen; }
    void SetclMarkPen(TColor Value) { FclMarkPen = Value; }

    // Not owned.
    TvlDataMod* DataModule() const { return FDataModule; }
    void SetDataModule(TvlDataMod* Value);
    // The object under the mouse, shared by the tools of this view.
    TvlObject* MouseFnd() const { return FMouseFnd; }
    void SetMouseFnd(TvlObject* Value) { FMouseFnd = Value; }

    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);

    // ---- Tools ----------------------------------------------------------------
    // The current tool, not owned; changed only by tool activation and
    // cleared when the tool goes away.
    TMouseTool* Tool() const { return FTool; }
    void SetTool(TMouseTool* Value);
    // Activates the first tool of the owner (component order) that belongs
    // to this draw box and has toDefaultTool; none leaves the current tool.
    void SetDefaultTool();
    // Init of every tool of this draw box, in component order.
    void InitTools();
    // Confines the cursor to the client area less its last column and row.
    void SetClipping();

    // Repaints the logical area at once.
    void UpdateRect(const TLimRec& LimRec);
    // Invalidates the document's restore rectangle unless it is empty.
    void InvalidateChanges();

    void SetHost(TWindowHost* AHost) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // The logical rectangle in device pixels of the mapped canvas, normalised.
    TRect DeviceRect(const TLimRec& LimRec);

    std::unique_ptr<TScaleSetting> FScaleSetting;
    std::unique_ptr<TvlGrid> FGrid;
    std::unique_ptr<TShadows> FShadows;
    TColor FclMarkPen = 255;
    TvlDataMod* FDataModule = nullptr;
    TvlObject* FMouseFnd = nullptr;
    TCursor FCursor = crDefault;
    TMouseTool* FTool = nullptr;
};

} // namespace vl

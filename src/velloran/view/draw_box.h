#pragma once
// TCustomDrawBox: the view that shows one document through its own mapping,
// paints it in a fixed order, keeps the scroll range in step with the
// drawing, scrolls while tools drag at its edge and hands every mouse and
// key event to the current tool in logical coordinates. TvlDrawbox is the
// published component: it also takes the focus on a click.

#include <cstdint>
#include <functional>
#include <memory>

#include "velloran/foundations/types.h"
#include "velloran/objects/object_holder.h"
#include "velloran/objects/object_view.h"
#include "velloran/objects/object_walks.h"
#include "velloran/platform/colors.h"
#include "velloran/platform/cursors.h"
#include "velloran/scale/grid.h"
#include "velloran/scale/origin.h"
#include "velloran/scale/scale_setting.h"
#include "velloran/scale/shadows.h"
#include "velloran/storage/application.h"
#include "velloran/view/scroll_paint.h"

namespace vl {

class TvlDataMod;
class TvlObject;
class TViewTool;

/// Where GetSpace makes room.
enum class TSpaceDir : uint8_t { dirLeft, dirTop, dirRight, dirBottom };

/// Drag-and-drop notice kinds.
enum class TDragState : uint8_t { dsDragEnter, dsDragLeave, dsDragMove };

/// Walks over the owner's components: Stop ends the walk.
using TCompFilter = std::function<bool(TComponent* AComponent)>;
using TComponentProc = std::function<void(TComponent* AComponent, bool& Stop)>;

using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int32_t X, int32_t Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int32_t X, int32_t Y)>;
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char16_t& Key)>;

/// Milliseconds between two steps of edge scrolling.
inline uint16_t AutoScrollTime = 50;

/// The view that shows one document through its own mapping and hands input to the current tool.
class TCustomDrawBox : public TScrollPaint, public TObjectView, public TObjectHolder {
public:
    /// A draw box owned by AOwner (usually the form); it shows the document linked to it.
    explicit TCustomDrawBox(TComponent* AOwner);
    ~TCustomDrawBox() override;
    std::string ClassName() const override { return "TCustomDrawBox"; }

    // ---- Settings -------------------------------------------------------------
    TScaleSetting& ScaleSetting() override { return *FScaleSetting; }
    TvlGrid& Grid() { return *FGrid; }
    TShadows& Shadows() { return *FShadows; }
    const TShadows& Shadows() const override { return *FShadows; }
    /// Colour of object marks.
    TColor clMarkPen() const override { return FclMarkPen; }
    void SetclMarkPen(TColor Value) { FclMarkPen = Value; }
    /// The scroll range always reaches the logical origin.
    bool ScrollAnchor() const { return FScrollAnchor; }
    void SetScrollAnchor(bool Value) { FScrollAnchor = Value; }
    TPoint Anchor() const { return FAnchor; }
    uint32_t ClipboardFmt() const { return FClipboardFmt; }
    /// The application identity that saved drawings carry; the first paint commits it.
    TvlApplication& App() { return *FApplication; }

    /// The document shown: the one the draw box installed itself
    /// (bsOwnDataMod, freed with the draw box) or a linked one.
    TvlDataMod* DataModule() const { return FDataModule; }
    void SetDataModule(TvlDataMod* Value);
    TObjectDocument* ObjectDocument() const override;
    void DrawingReplaced() override { State.Include(TBoxStateItem::bsNewRange); }
    /// The object under the mouse, shared by the tools of this view.
    TvlObject* MouseFnd() const override { return FMouseFnd; }
    void SetMouseFnd(TvlObject* Value) override { FMouseFnd = Value; }
    /// The current tool; set only by tool activation. Cleared when it is freed.
    TViewTool* Tool() const { return FTool; }
    void SetTool(TViewTool* Value);

    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value) override;

    /// The rulers along the edges; owned, not part of the document.
    TvlObject* ScaleHorz() const { return FScaleHorz.get(); }
    TvlObject* ScaleVert() const { return FScaleVert.get(); }
    void SetScaleHorz(std::unique_ptr<TvlObject> Value);
    void SetScaleVert(std::unique_ptr<TvlObject> Value);
    virtual void AllLocalObjects(TAllObjectsProc Action);
    /// The first local object (rulers and the like) for which Condition holds.
    virtual TvlObject* FindLocalObject(TFirstObjectFunc Condition);
    /// Local objects of a creator that goes away go with it.
    void ReleaseToolObjects(const TObjectTool& Tool) override;

    // ---- Life --------------------------------------------------------------
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    /// False while the document is being read or written.
    bool CanClose() const;
    /// Set by loading; the first paint initialises.
    bool Initializing = false;

    // ---- Tools ---------------------------------------------------------------
    void SetDefaultTool();
    void WithToolsDo(const TCompFilter& Filter, const TComponentProc& Action);
    static bool Creators(TComponent* AComponent);
    void InitTools();
    /// A new object of the creator with that identity, neither counted nor
    /// added; nullptr without such a creator.
    std::unique_ptr<TvlObject> CreateObject(int16_t ToolID);
    /// Back to the font height of loading time; fonts are rebuilt at the next paint.
    void RestoreFonts(TComponent* AComponent);

    // ---- Painting ------------------------------------------------------------
    void InvalidateBox();
    /// Repaints the logical area at once.
    void UpdateRect(const TLimRec& LimRec) override;
    void InvalidateRestoreRect();
    /// Invalidates the document's restore rectangle unless it is empty.
    void InvalidateChanges() override;
    TRect GetClientRect_Log();
    TPoint LogToScreen(TPoint LogPnt);
    /// Client pixels to logical units through the mapped canvas.
    TPoint DeviceToLog(TPoint P);

    /// Paints updateRect (client pixels) on DC.
    void Paint(TCanvas& DC, const TRect& updateRect) override;
    /// Paints in a fixed order: grid, BeforePaint, local objects, the document's objects, AfterPaint.
    void Paint() override;
    void CheckScrollRange() override;

    // ---- View ------------------------------------------------------------------
    /// Moves the marked objects, snapped to the grid when it captures.
    void MoveObjects(TPoint DeltaPos);
    /// Value <= 0 fits the whole drawing.
    void SetScale(double Value);
    void GetSpace(int32_t ASpace, TSpaceDir Direction);
    /// NewPos in client pixels goes to the Origin point of the client area.
    void ScrollTo(TPoint NewPos, TOrigin Origin);
    void ScrollTo_Log(TPoint NewPos, TOrigin Origin);
    void LeftScroll();
    void RightScroll();
    void TopScroll();
    void BottomScroll();
    /// Confines the cursor to the client area.
    void SetClipping();

    // ---- Messages ------------------------------------------------------------
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    /// Scrolls the view (Shift: sideways); with Ctrl zooms about (X, Y).
    bool MouseWheel(TShiftState Shift, int32_t Delta, int32_t X, int32_t Y) override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyUp(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;
    /// X, Y in client pixels; the events receive logical units.
    void DragOver(TObject* Source, int32_t X, int32_t Y, TDragState State, bool& Accept);
    void DragDrop(TObject* Source, int32_t X, int32_t Y);
    void Resize() override;
    void Scroll(TScrollBarKind Kind, TScrollCode Code, int32_t Pos) override;
    void SetHost(TWindowHost* AHost) override;

    /// The scale changed.
    TNotifyEvent OnScaleChange;
    /// After the grid, before any object is painted.
    TNotifyEvent BeforePaint;
    /// After every object was painted.
    TNotifyEvent AfterPaint;
    /// The first paint: the application makes its local objects here.
    TNotifyEvent OnPredefineObjects;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

protected:
    virtual void DoInitialize();
    TCanvas* GetDeviceContext() override;
    /// Scrolls while the cursor stays in an edge zone; CurPos in client pixels.
    void doToolScroll(TPoint CurPos);

private:
    void ScaleChanged(TObject* Sender);
    void InstallDataModule();
    void PredefineObjects();
    void PaintObjects(TvlObject* AnyObject, const TLimRec& Area);
    /// The logical rectangle in device pixels of the mapped canvas, normalised.
    TRect DeviceRect(const TLimRec& LimRec);
    /// Viewport origin := home - bar position, after the bars moved.
    void SyncOrigin();

    std::unique_ptr<TScaleSetting> FScaleSetting;
    std::unique_ptr<TvlGrid> FGrid;
    std::unique_ptr<TShadows> FShadows;
    std::unique_ptr<TvlApplication> FApplication;
    std::unique_ptr<TvlObject> FScaleHorz;
    std::unique_ptr<TvlObject> FScaleVert;
    TViewTool* FTool = nullptr;
    TvlObject* FMouseFnd = nullptr;
    TPoint FAnchor;
    bool FScrollAnchor = false;
    /// Fitting the drawing hid the scroll bars (not the application).
    bool FFitHidBars = false;
    TColor FclMarkPen = 255;
    /// Frees a component its owner holds, taking it from the owner first.
    struct TFreeFromOwner {
        void operator()(TComponent* AComponent) const;
    };
    /// The document made by InstallDataModule; its owner is the draw box's
    /// owner, but its life ends with the draw box.
    std::unique_ptr<TvlDataMod, TFreeFromOwner> FOwnDataModule;
    TvlDataMod* FDataModule = nullptr;
    uint32_t FClipboardFmt = 0;
    TCursor FCursor = crDefault;
    TRect FUpdateRect;
    /// Wheel travel not yet worth a scroll line (fine-grained wheels).
    int32_t FWheelRest = 0;
    /// The document's limits when the range was last computed.
    TLimRec FRangeLimits{EmptyLimMin, EmptyLimMin, EmptyLimMax, EmptyLimMax};
};

/// The published draw box component; it also takes the focus on a click.
class TvlDrawbox : public TCustomDrawBox {
public:
    using TCustomDrawBox::TCustomDrawBox;
    std::string ClassName() const override { return "TvlDrawbox"; }

    /// A click takes the focus first; a click that cannot get it is dropped.
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
};

} // namespace vl

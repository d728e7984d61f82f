#pragma once
// TvlObject: the base of every drawing object. It holds the creator link,
// the position record, the identity and the state flags; its virtual
// operations are the protocols that lists, documents, tools and views drive.
// Subclasses persist the base first, then their own fields, through the
// Register routines so that one Persist serves every mode.

#include <cstdint>
#include <memory>
#include <optional>

#include "velloran/foundations/pst_mode.h"
#include "velloran/foundations/types.h"
#include "velloran/objects/object_types.h"
#include "velloran/objects/packed_limits.h"
#include "velloran/platform/drawing_tools.h"
#include "velloran/platform/object.h"
#include "velloran/platform/region.h"
#include "velloran/scale/scale_document.h"

namespace vl {

class TStream;
class TTransfer;
class TPicture;
class TCanvas;
class TCustomGenerator;
class TObjectView;
class TObjectDocument;

/// The base of every drawing object: creator link, position, identity and state flags.
class TvlObject : public TObject, public TScaleObject {
public:
    /// An object of ATool, which it keeps for life and reads its style from.
    explicit TvlObject(TObjectTool* ATool);
    ~TvlObject() override;
    TvlObject(const TvlObject&) = delete;
    TvlObject& operator=(const TvlObject&) = delete;

    // ---- Virtual operations, in slot order --------------------------------
    virtual void SetMaster(TvlObject* Master);
    virtual double GetX_World() const;
    virtual double GetY_World() const;
    virtual String GetText() const;
    virtual void SetText(const String& Text);
    virtual const TFont& GetFont() const;
    virtual void SetFont(const TFont& Font);
    virtual int32_t GetFontHeightBk() const;
    virtual void SetPicture(const TPicture& Picture);
    virtual const TPicture& GetPicture() const;
    virtual int32_t GetX() const;
    virtual int32_t GetY() const;
    virtual int32_t GetMaxX() const;
    virtual int32_t GetMinX() const;
    virtual int32_t GetMaxY() const;
    virtual int32_t GetMinY() const;
    virtual TLimRec GetLimits() const;
    virtual int32_t GetHeight() const;
    virtual int32_t GetWidth() const;
    virtual void SetWidth(int32_t Value);
    /// True when P (local) is on a handle (smCheck); smShape draws them all.
    virtual bool SizingHandles(TPoint P, TSizeMode Mode);
    virtual void AssignPos(const TvlObject& Source);
    /// Relative to the object's own origin; the caller owns the region.
    virtual std::optional<TRegion> CreateShapeRgn(TRgnMode Mode) const;
    virtual int32_t Involved(TInvolve Code);
    virtual void CanDelete();
    /// Stream may be nullptr in the two connect modes.
    virtual void Persist(TStream* Stream, TPstMode Mode);
    virtual bool Found(const TLimRec& CurLims);
    virtual bool CheckShape(const TLimRec& CurLims);
    virtual void StartMove();
    /// Moves the object by DeltaPos, as far as the generator allows it.
    virtual void MovePos(TPoint DeltaPos);
    virtual void EndMove();
    virtual void Rotate(TPoint Origin, double Delta);
    /// Adds the object's area to the document's repaint area.
    virtual void Invalidate();
    void AdjustToScale() override;
    virtual void AdjustToFontHeight();
    virtual void Shape();
    /// Draws a visible object for printing.
    virtual void Print();
    /// Draws the object on the current canvas: OnObjectDraw, or else Shape.
    virtual void Draw();
    /// Draws the object with its marks and makes it visible.
    virtual void Show();
    /// Makes the object invisible, repaints its area and unselects it.
    virtual void Hide();
    virtual void ShapeMark();
    virtual void Drawmark();
    virtual void SelectComplete(TSelectMode Mode);
    /// Selects or unselects the object in its document.
    virtual void Select(TSelectMode Mode);
    /// Selects the object and shows the marks of the selection.
    virtual void Mark();
    virtual void DrawShadow();
    virtual void HideShadow();
    virtual void ObjectMessage(TObjMessage& Msg);

    // ---- Links --------------------------------------------------------------
    /// The creator that made the object.
    TObjectTool* Tool() const { return FTool; }
    TCustomGenerator& Generator() const;
    /// nullptr while the creator is not linked to a draw box.
    TObjectView* DrawBox() const;
    TObjectDocument* GetDataModule() const;
    int16_t ClassNr() const;
    void Count();
    /// ConObj for a slave (nullptr only while its link waits to be connected),
    /// otherwise the object itself.
    TvlObject* GetMaster() const;
    bool IsSlave() const { return State.Contains(TIndividualFlag::isSlave); }

    // ---- State ----------------------------------------------------------------
    bool GetVisible() const;
    void SetVisible(bool Value);
    bool GetSelected() const { return State.Contains(TIndividualFlag::isSelected); }
    void SetSelected(bool Value) { Select(Value ? TSelectMode::smSelect : TSelectMode::smUnselect); }
    void RemoveSelectFlag();
    bool GetSizing() const { return State.Contains(TIndividualFlag::isSizing); }
    void SetSizing(bool Value);

    // ---- Position -------------------------------------------------------------
    TPoint GetPos() const { return {GetX(), GetY()}; }
    void SetPos(TPoint P);
    void SetX(int32_t Value);
    void SetY(int32_t Value);
    void SetX_World(double Value);
    void SetY_World(double Value);
    int32_t GetXRef() const;
    int32_t GetYRef() const;
    void SetXRef(int32_t Value);
    void SetYRef(int32_t Value);
    TPoint GetHotSpot() const;
    int32_t GetDRoundRect() const;

    // ---- Box and limits -------------------------------------------------------
    int32_t GetLeft() const;
    int32_t Getright() const;
    int32_t Gettop() const;
    int32_t Getbottom() const;
    TRect GetRect_Lcl() const;
    TRect GetRect() const;
    TPoint GetExtent() const;
    /// Limits with pen, shadow and sizing handles: all the object can paint.
    TLimRec GetMaxLimits() const;
    /// The maximal limits as last stored; the layer's index is keyed by them.
    /// Empty while the index must always ask the object (see TPackedLimits).
    TLimRec StoredLimits() const { return FMaxLim.Get(); }
    /// The index's test of a neighbour, without unpacking what it need not read.
    bool StoredLimitsMeet(const TLimRec& Area) const { return FMaxLim.Meets(Area); }
    /// Every change of position, size, angle or sizing state ends here: the
    /// limits are stored again and the document re-files the object where
    /// they moved, and the objects hanging on it (a turn may move them while
    /// the object's own limits stay).
    void LimitsChanged() { StoreLimits(); }
    /// The object gained or lost a master: the document files it under its
    /// new masters.
    void LinksChanged() { StoreLimits(); }
    /// Koord is a TPoint (cfPoint), a TRect in screen orientation (cfRect) or
    /// a TLimRec (cfLimRec); the typed overloads below pick the code.
    bool CheckFrame(const void* Koord, TCheckFrame Code) const;
    bool CheckFrame(const TPoint& P) const { return CheckFrame(&P, TCheckFrame::cfPoint); }
    bool CheckFrame(const TRect& R) const { return CheckFrame(&R, TCheckFrame::cfRect); }
    bool CheckFrame(const TLimRec& K) const { return CheckFrame(&K, TCheckFrame::cfLimRec); }

    // ---- Painting -------------------------------------------------------------
    void Update();
    void DrawShade();

    // ---- Persistence ----------------------------------------------------------
    /// Writes the object's record as a drawing stream holds it.
    void SaveToStream(TStream& Stream) { Persist(&Stream, TPstMode::pstSave); }
    /// Reads the object's record; links stay unresolved until Connect.
    void LoadFromStream(TStream& Stream) { Persist(&Stream, TPstMode::pstLoad); }
    /// Links resolve through the object's own data module; the argument is unused.
    void Connect(TObjectDocument* DataMod);
    /// The object a stored link names, through the object's document.
    TvlObject* FindObject(const TContype& Link) const;

    /// Writing: pstSave, pstCopy. Reading: pstLoad, pstPaste. Connect modes do
    /// nothing unless said otherwise.
    static void RegisterData(TStream* Stream, void* Data, int32_t Size, TPstMode Mode);
    /// A zero-terminated UTF-16 buffer owned by the object.
    static void RegisterPChar(TStream* Stream, std::unique_ptr<char16_t[]>& Text, TPstMode Mode);
    static void RegisterString(TStream* Stream, String& Text, TPstMode Mode);
    /// An embedded object: its own record; reading skips its class number.
    static void RegisterObject(TStream* Stream, TvlObject& Embedded, TPstMode Mode);
    /// 8 bytes; resolves the link in the connect modes.
    void RegisterLink(TStream* Stream, TContype& Link, TPstMode Mode);
    static void RegisterFont(TStream* Stream, TFont& Font, TPstMode Mode);
    static void RegisterPen(TStream* Stream, TPen& Pen, TPstMode Mode);
    static void RegisterBrush(TStream* Stream, TBrush& Brush, TPstMode Mode);
    static void RegisterPicture(TStream* Stream, TPicture& Picture, TPstMode Mode);

    /// ObjID and State take what would be the record's padding.
    [[no_unique_address]] TPos Pos;
    uint16_t ObjID = 0;
    TIndividualState State;

protected:
    /// The stream a persistence mode needs; raises when it is missing.
    static TStream& StreamFor(TStream* Stream, TPstMode Mode);
    /// The canvas of the mapping in force.
    static TCanvas& Canvas();
    /// Window origin at the object's minimal corner, so it draws in local units.
    void SetOrigin() const;
    /// A position record of 16 bytes, in the linked form while Linked.
    static void TransferPos(TTransfer& t, TPos& P, bool Linked);

private:
    bool PositionFixed() const { return State.Contains(TIndividualFlag::isP1Slave); }
    bool HasMasterLink() const {
        return State.Contains(TIndividualFlag::isSlave) || State.Contains(TIndividualFlag::isP1Slave);
    }
    void StoreLimits();
    bool UsesRefPoint() const;
    TPoint RefPoint() const;
    int32_t MasterX() const;
    int32_t MasterY() const;
    bool MasterSelected() const;
    void ConnectMaster(TPstMode Mode);
    void PersistPos(TTransfer& t);

    friend class TvlLayer;
    TObjectTool* FTool;
    /// Kept by the owning layer: the object's index there (valid up to the
    /// layer's renumbered mark) and the limits it is filed under.
    int32_t FListPos = 0;
    TPackedLimits FMaxLim;
};

} // namespace vl

#pragma once
// TLineObj: an object spanned by two ends: a connecting line, or a box shape
// between two corners. Either end may hang on a master object and then sits
// exactly on the master's position and follows it.

#include <cstdint>

#include "velloran/objects/point_obj.h"
#include "velloran/platform/cursors.h"

namespace vl {

/// An object spanned by two ends, each free or hanging on a master object.
class TLineObj : public TPointObj {
public:
    using TPointObj::TPointObj;

    // ---- Overridden slots -------------------------------------------------
    /// Attaches the first end; nil frees it where it stands.
    void SetMaster(TvlObject* Master) override;
    int32_t GetX() const override;
    int32_t GetY() const override;
    int32_t GetMaxX() const override;
    int32_t GetMinX() const override;
    int32_t GetMaxY() const override;
    int32_t GetMinY() const override;
    int32_t GetHeight() const override;
    int32_t GetWidth() const override;
    bool SizingHandles(TPoint P, TSizeMode Mode) override;
    void AssignPos(const TvlObject& Source) override;
    int32_t Involved(TInvolve Code) override;
    void Persist(TStream* Stream, TPstMode Mode) override;
    void MovePos(TPoint DeltaPos) override;
    void Rotate(TPoint Origin, double Delta) override;
    void SelectComplete(TSelectMode Mode) override;
    void ShapeLine() override;
    bool CheckLineShape(const TLimRec& CurLims) override;
    double GetAlpha() const override;

    // ---- New slots ----------------------------------------------------------
    virtual int32_t GetX2() const;
    virtual int32_t GetY2() const;
    virtual void SetMaster2(TvlObject* Master);

    /// The second end's master, or the object itself while that end is free.
    TvlObject* GetMaster2() const;
    bool IsP1Slave() const { return State.Contains(TIndividualFlag::isP1Slave); }
    bool IsP2Slave() const { return State.Contains(TIndividualFlag::isP2Slave); }
    TPoint GetPos2() const { return {GetX2(), GetY2()}; }
    /// Setters of the second end are ignored while it is attached.
    void SetX2(int32_t Value);
    void SetY2(int32_t Value);
    /// Circles and squares stay square: the larger offset decides the side.
    void SetPos2(TPoint P);
    double GetX2_World() const;
    double GetY2_World() const;
    void SetX2_World(double Value);
    void SetY2_World(double Value);
    /// Direction from the first to the second end, 0..2π.
    double GetLineAlpha() const;

    TPos Pos2;

private:
    bool KeepsSquare() const;
    /// Handle hit or drawn at centre C; the cursor and SizingHandle on a hit.
    bool SquareHandle(TPoint P, TPoint C, TSizeMode Mode, TSizingHandle Handle, TCursor Cursor);
    bool LineHandle(int32_t P, int32_t At, TSizeMode Mode, TSizingHandle Handle, TCursor Cursor);
    TCursor CornerCursor() const;
    void SizeFree(TPoint D);
    void SizeSquare(TPoint D);
    void ConnectMaster2(TPstMode Mode);
};

} // namespace vl

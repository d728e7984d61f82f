#pragma once
// TPointObj: a symbol of the generator's size drawn around a hot spot, as one
// of the generator's shapes or as its picture, optionally turned about the
// hot spot. The object stores only its angle; look and size are read from
// the generator every time.

#include <cstdint>
#include <memory>
#include <optional>

#include "velloran/objects/object.h"

namespace vl {

class TCanvas;
class TGraphic;

/// Click tolerance of line shapes in logical units (the mark-and-move tool
/// publishes it as FindLines).
inline int32_t Lin_prec = 8;
/// Frame width of region shapes in pixels.
inline int32_t FrameRgn_W = 3;

/// Outline points of every rotated shape fit here (elliptic outlines are the
/// longest).
inline constexpr int32_t MaxOutlinePoints = 32;

/// A symbol of the generator's size drawn around a hot spot, optionally turned about it.
class TPointObj : public TvlObject {
public:
    using TvlObject::TvlObject;

    // ---- Overridden slots -------------------------------------------------
    void SetMaster(TvlObject* Master) override;
    int32_t GetMinX() const override;
    int32_t GetMinY() const override;
    TLimRec GetLimits() const override;
    int32_t GetHeight() const override;
    int32_t GetWidth() const override;
    bool SizingHandles(TPoint P, TSizeMode Mode) override;
    /// The angle belongs to the placement: undoing a turn must bring it back.
    void AssignPos(const TvlObject& Source) override;
    std::optional<TRegion> CreateShapeRgn(TRgnMode Mode) const override;
    void Persist(TStream* Stream, TPstMode Mode) override;
    bool CheckShape(const TLimRec& CurLims) override;
    void MovePos(TPoint DeltaPos) override;
    void Rotate(TPoint Origin, double Delta) override;
    void Shape() override;
    void Print() override;
    void Draw() override;
    void DrawShadow() override;

    // ---- New slots ----------------------------------------------------------
    virtual void ShapeLine();
    /// CurLims in local coordinates.
    virtual bool CheckLineShape(const TLimRec& CurLims);
    /// Radians; a slave of a generator with goNoSizing follows its master.
    virtual double GetAlpha() const;
    /// Folded into 0..2π; ignored without goRotation.
    virtual void SetAlpha(double Value);

    double GetAlpha_DEG() const;
    void SetAlpha_DEG(double Value);
    int32_t GetAlpha_DEG10() const;
    void SetAlpha_DEG10(int32_t Value);
    int16_t GetAlphaPlain() const { return FAlpha; }
    void SetAlphaPlain(int16_t Value) {
        FAlpha = Value;
        LimitsChanged();
    }
    bool GetRotated() const;
    int32_t GetQuadrant() const;

    /// Local, before rotation.
    TPoint RotateHandlePos() const;
    bool SizingRotate(TPoint P, TSizeMode Mode);
    void MoveRotate(TPoint DeltaPos);
    void RotatedShape();
    /// The rotated outline in a new array of exactly the returned count (none
    /// for lines and regions).
    int32_t CreatePolyPntsEx(std::unique_ptr<TPoint[]>& Points) const;
    void DrawGraphic();
    void DrawMetafile(TCanvas& DC);
    void PrintGraphic();

protected:
    /// Corner divisor of rounded shapes, never below 1.
    int32_t RoundDivisor() const;
    /// The smaller of width and height.
    int32_t SmallSide() const;
    /// Rotated outline into Points (MaxOutlinePoints long); a region counts
    /// as its box when ForLimits.
    int32_t OutlinePoints(TPoint* Points, bool ForLimits) const;

private:
    /// Makes the canvas draw unmirrored in the object's box; returns the
    /// number of flipped axes and the hot spot in the new local coordinates.
    int32_t Unmirror(TCanvas& DC, TPoint& Pivot) const;
    /// Picture in the box with clip, mirror and transparency handling.
    void PaintPicture(const TGraphic& Graphic);
    void FrameShapeRgn();
    void OutlineOverPicture();

    int16_t FAlpha = 0;
};

} // namespace vl

// TPointObj: angle, geometry, regions, hit tests, the rotation handle and
// persistence.

#include "velloran/objects/point_obj.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "velloran/foundations/angles.h"
#include "velloran/foundations/geometry.h"
#include "velloran/foundations/rotation.h"
#include "velloran/foundations/saturate.h"
#include "velloran/foundations/transfer.h"
#include "velloran/foundations/round.h"
#include "velloran/foundations/stream.h"
#include "velloran/generators/custom_generator.h"
#include "velloran/objects/object_tool.h"
#include "velloran/objects/object_view.h"
#include "velloran/platform/canvas.h"
#include "velloran/scale/scale_setting.h"
#include "velloran/storage/file_header.h"

namespace vl {

using enum TIndividualFlag;
using enum TShapetype;

namespace {

constexpr double TwoPi = 2 * std::numbers::pi;

int32_t Abs32(int32_t v) { return v >= 0 ? v : v == INT32_MIN ? INT32_MAX : -v; }

// Folds into 0..Period like repeated subtraction and addition do; huge
// values are reduced first so that folding never runs for ages.
double Fold(double v, double Period) {
    if (std::abs(v) > Period * 1024) v = std::fmod(v, Period);
    while (v > Period) v -= Period;
    while (v < 0) v += Period;
    return v;
}

int16_t StoreAngle(double milliradians) {
    return static_cast<int16_t>(std::clamp(Round(milliradians), -32768, 32767));
}

// RotatePnt's formula with sin and cos computed once, for real input points.
struct TTurn {
    TPoint Pivot;
    double C, S;
    TTurn(TPoint pivot, double alpha) : Pivot(pivot), C(std::cos(alpha)), S(std::sin(alpha)) {}
    static int32_t Shift(int32_t base, double delta) {
        return static_cast<int32_t>(std::clamp<int64_t>(int64_t{base} + Round64(delta), INT32_MIN, INT32_MAX));
    }
    TPoint operator()(double x, double y) const {
        const double u = x - Pivot.X, v = y - Pivot.Y;
        return {Shift(Pivot.X, u * C - v * S), Shift(Pivot.Y, u * S + v * C)};
    }
};

void SetDrawBoxCursor(TvlObject& o, TCursor c) {
    if (TObjectView* box = o.DrawBox()) box->SetCursor(c);
}

} // namespace

// ---- Angle --------------------------------------------------------------------

double TPointObj::GetAlpha() const {
    if (IsSlave() && Generator().Options().Contains(TGeneratorOption::goNoSizing))
        if (const auto* m = dynamic_cast<const TPointObj*>(Pos.ConObj)) return m->GetAlpha();
    return FAlpha / 1000.0;
}

void TPointObj::SetAlpha(double Value) {
    if (!Generator().Options().Contains(TGeneratorOption::goRotation) || !std::isfinite(Value)) return;
    FAlpha = StoreAngle(Fold(Value, TwoPi) * 1000);
    LimitsChanged();
}

double TPointObj::GetAlpha_DEG() const { return GetAlpha() * 180 / std::numbers::pi; }

void TPointObj::SetAlpha_DEG(double Value) {
    if (!Generator().Options().Contains(TGeneratorOption::goRotation) || !std::isfinite(Value)) return;
    FAlpha = StoreAngle(Fold(Value, 360) * std::numbers::pi / 0.18);
    LimitsChanged();
}

int32_t TPointObj::GetAlpha_DEG10() const { return Round(GetAlpha() * 1800 / std::numbers::pi); }

void TPointObj::SetAlpha_DEG10(int32_t Value) {
    if (!Generator().Options().Contains(TGeneratorOption::goRotation)) return;
    FAlpha = StoreAngle(Fold(Value, 3600) * std::numbers::pi / 1.8);
    LimitsChanged();
}

bool TPointObj::GetRotated() const {
    return Generator().Options().Contains(TGeneratorOption::goRotation) && GetAlpha_DEG10() != 0;
}

int32_t TPointObj::GetQuadrant() const {
    const double a = GetAlpha();
    if (a < std::numbers::pi / 2) return 1;
    if (a < std::numbers::pi) return 2;
    if (a < 3 * std::numbers::pi / 2) return 3;
    return 4;
}

// ---- Geometry -----------------------------------------------------------------

void TPointObj::SetMaster(TvlObject* Master) {
    if (Master) {
        Pos.ConObj = Master;
        Pos.RelX = static_cast<int16_t>(Generator().SlaveX());
        Pos.RelY = static_cast<int16_t>(Generator().SlaveY());
        State.Include(isSlave);
        LinksChanged();
        return;
    }
    // Read through the old master so the object stays where it appeared.
    const int32_t x = GetX(), y = GetY();
    State.Exclude(isSlave);
    Pos.ConObj = nullptr;
    SetX(x);
    SetY(y);
    LinksChanged();
}

int32_t TPointObj::GetWidth() const { return Abs32(Generator().Width()); }
int32_t TPointObj::GetHeight() const { return Abs32(Generator().Height()); }
int32_t TPointObj::GetMinX() const { return SubSat(GetX(), Generator().HotspotX()); }
int32_t TPointObj::GetMinY() const { return SubSat(GetY(), Generator().HotspotY()); }

int32_t TPointObj::RoundDivisor() const { return std::max(1, GetDRoundRect()); }
int32_t TPointObj::SmallSide() const { return std::min(GetWidth(), GetHeight()); }

int32_t TPointObj::OutlinePoints(TPoint* Points, bool ForLimits) const {
    const TTurn turn(GetHotSpot(), GetAlpha());
    const double W = GetWidth(), H = GetHeight();
    auto box = [&](double w, double h) {
        Points[0] = turn(0, 0);
        Points[1] = turn(w, 0);
        Points[2] = turn(w, h);
        Points[3] = turn(0, h);
        return 4;
    };
    auto rounded = [&](double w, double h, int32_t c) {
        const double r = c / 2.0;
        const double a = r * (1 - std::sqrt(3.0) / 2); // cos 30°
        const double b = r * 0.5;                      // cos 60°
        const double pts[16][2] = {
            {0, r},     {a, b},         {b, a},         {r, 0},     {w - r, 0}, {w - b, a},
            {w - a, b}, {w, r},         {w, h - r},     {w - a, h - b},         {w - b, h - a},
            {w - r, h}, {r, h},         {b, h - a},     {a, h - b}, {0, h - r},
        };
        for (int32_t i = 0; i < 16; ++i) Points[i] = turn(pts[i][0], pts[i][1]);
        return 16;
    };
    auto elliptic = [&](double w, double h) {
        Points[0] = turn(w, h / 2);
        for (int32_t i = 1; i < 2 * Rot_OutlineDiv; ++i) {
            const double t = i * std::numbers::pi / Rot_OutlineDiv;
            Points[i] = turn(w / 2 + w / 2 * std::cos(t), h / 2 + h / 2 * std::sin(t));
        }
        return 2 * Rot_OutlineDiv;
    };
    switch (Generator().Shape()) {
    case stRectangle: return box(W, H);
    case stSquare: return box(W, W);
    case stRoundRect: return rounded(W, H, SmallSide() / RoundDivisor());
    case stRoundSquare: return rounded(W, W, GetWidth() / RoundDivisor());
    case stEllipse: return elliptic(W, H);
    case stCircle: return elliptic(W, W);
    case stRegion: return ForLimits ? box(W, H) : 0;
    case stLine: return 0;
    }
    return 0;
}

int32_t TPointObj::CreatePolyPntsEx(std::unique_ptr<TPoint[]>& Points) const {
    TPoint buf[MaxOutlinePoints];
    const int32_t n = OutlinePoints(buf, false);
    Points.reset();
    if (n == 0) return 0;
    Points = std::make_unique<TPoint[]>(static_cast<size_t>(n));
    std::copy_n(buf, n, Points.get());
    return n;
}

TLimRec TPointObj::GetLimits() const {
    if (!GetRotated()) return TvlObject::GetLimits();
    if (Generator().Shape() == stLine) return {0, 0, 0, 0};
    TPoint buf[MaxOutlinePoints];
    const int32_t n = OutlinePoints(buf, true);
    TLimRec l = GetPolygonLimits(buf, n);
    const int32_t dx = GetMinX(), dy = GetMinY();
    return {AddSat(l.Xmin, dx), AddSat(l.Ymin, dy), AddSat(l.Xmax, dx), AddSat(l.Ymax, dy)};
}

std::optional<TRegion> TPointObj::CreateShapeRgn(TRgnMode Mode) const {
    if (Tool()->OnObjectShapeRgn || !GetRotated()) return TvlObject::CreateShapeRgn(Mode);
    TPoint buf[MaxOutlinePoints];
    const int32_t n = OutlinePoints(buf, false);
    if (n == 0) return std::nullopt;
    if (Mode == TRgnMode::rmDev) Canvas().LPtoDP(std::span<TPoint>(buf, static_cast<size_t>(n)));
    return TRegion::CreatePolygon(std::span<const TPoint>(buf, static_cast<size_t>(n)), TPolyFillMode::WINDING);
}

// ---- Hit tests ------------------------------------------------------------------

bool TPointObj::CheckShape(const TLimRec& CurLims) {
    if (Tool()->OnObjectCheckShape) {
        bool found = false;
        Tool()->OnObjectCheckShape(this, CurLims, found);
        return found;
    }
    const int32_t dx = GetMinX(), dy = GetMinY();
    const TLimRec local{SubSat(CurLims.Xmin, dx), SubSat(CurLims.Ymin, dy), SubSat(CurLims.Xmax, dx),
                        SubSat(CurLims.Ymax, dy)};
    bool result = GetSizing() && SizingHandles(local.Min(), TSizeMode::smCheck);
    if (!result) {
        if (const std::optional<TRegion> rgn = CreateShapeRgn(TRgnMode::rmLog)) {
            // A click asks about one pixel; that needs no row scan.
            const bool click = local.Xmax - local.Xmin == 1 && local.Ymax - local.Ymin == 1;
            result = click ? rgn->PtInRegion(local.Min())
                           : rgn->RectInRegion({local.Xmin, local.Ymin, local.Xmax, local.Ymax});
        }
        else
            result = Generator().Shape() == stLine ? CheckLineShape(local) : true;
    }
    if (result && Generator().Options().Contains(TGeneratorOption::goFndCursor))
        SetDrawBoxCursor(*this, Tool()->Cursor());
    return result;
}

bool TPointObj::CheckLineShape(const TLimRec& CurLims) {
    TLimRec r = CurLims;
    if (r.Xmax - r.Xmin == 1 && r.Ymax - r.Ymin == 1) {
        const int32_t d = Lin_prec / 2;
        r = {r.Xmin - d, r.Ymin - d, r.Xmax + d, r.Ymax + d};
    }
    const int32_t W = GetWidth(), H = GetHeight();
    if (Generator().Width() >= 0 && Generator().Height() >= 0) return LineInRect({0, 0}, {W, H}, r);
    return LineInRect({0, H}, {W, 0}, r);
}

// ---- Rotation handle ----------------------------------------------------------

TPoint TPointObj::RotateHandlePos() const {
    const int32_t W = GetWidth(), H = GetHeight();
    switch (Generator().Shape()) {
    case stEllipse:
    case stCircle:
        return {W, H / 2};
    case stRoundRect:
    case stRoundSquare: {
        // The 45° point of the rounded corner.
        const int32_t o = Round((SmallSide() / RoundDivisor()) / 2.0 * (1 - std::cos(std::numbers::pi / 4)));
        return {W - o, H - o};
    }
    default:
        return {W, H};
    }
}

bool TPointObj::SizingRotate(TPoint P, TSizeMode Mode) {
    TPoint c = RotateHandlePos();
    RotatePnt(c, GetHotSpot(), GetAlpha());
    const int32_t t = ActScaleSet->GetTempFrame();
    if (Mode == TSizeMode::smShape) {
        Canvas().Ellipse({c.X - t, c.Y - t, c.X + t, c.Y + t});
        return false;
    }
    if (c.X - t <= P.X && P.X <= c.X + t && c.Y - t <= P.Y && P.Y <= c.Y + t) {
        SetDrawBoxCursor(*this, crRotate);
        SizingHandle = TSizingHandle::szRotate;
        return true;
    }
    return false;
}

bool TPointObj::SizingHandles(TPoint P, TSizeMode Mode) {
    if (!Generator().Options().Contains(TGeneratorOption::goRotation)) {
        SizingHandle = TSizingHandle::szNone;
        return false;
    }
    if (SizingRotate(P, Mode)) return true;
    SetDrawBoxCursor(*this,
                     Generator().Options().Contains(TGeneratorOption::goFndCursor) ? Tool()->Cursor() : crArrow);
    SizingHandle = TSizingHandle::szNone;
    return false;
}

void TPointObj::AssignPos(const TvlObject& Source) {
    TvlObject::AssignPos(Source);
    if (const auto* p = dynamic_cast<const TPointObj*>(&Source)) {
        FAlpha = p->FAlpha;
        // The angle shapes a turned object's box.
        LimitsChanged();
    }
}

void TPointObj::MovePos(TPoint DeltaPos) {
    if (GetSizing() && SizingHandle == TSizingHandle::szRotate)
        MoveRotate(DeltaPos);
    else
        TvlObject::MovePos(DeltaPos);
}

void TPointObj::MoveRotate(TPoint DeltaPos) {
    const double e = RotateHandlePos().X - Generator().HotspotX();
    const double a = GetAlpha();
    const double dx = e * std::cos(a) + DeltaPos.X;
    const double dy = e * std::sin(a) + DeltaPos.Y;
    double angle;
    if (std::abs(dx) < 0.1)
        angle = dy > 0 ? std::numbers::pi / 2 : -std::numbers::pi / 2;
    else
        angle = dx > 0 ? std::atan(dy / dx) : std::atan(dy / dx) + std::numbers::pi;
    SetAlpha(angle);
}

void TPointObj::Rotate(TPoint Origin, double Delta) {
    Invalidate();
    SetAlpha(GetAlpha() + Delta);
    TPoint p = GetPos();
    if (p == Origin) {
        Invalidate();
        return;
    }
    RotatePnt(p, Origin, Delta);
    SetPos(p);
    Invalidate();
}

// ---- Persistence --------------------------------------------------------------

void TPointObj::Persist(TStream* Stream, TPstMode Mode) {
    TvlObject::Persist(Stream, Mode);
    // Streams before 0x2004 carry no angle.
    if (IsWriting(Mode) || (IsReading(Mode) && vlFileVersionSince(8196))) TTransfer(*Stream, Mode).Value(FAlpha);
}

} // namespace vl

#include "velloran/scale/scale_setting.h"

#include <algorithm>
#include <cmath>

#include "velloran/foundations/round.h"
#include "velloran/platform/canvas.h"
#include "velloran/platform/measure.h"
#include "velloran/platform/window_host.h"
#include "velloran/scale/scale_document.h"

namespace vl {

namespace {

int32_t Sat(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// A fit that keeps reporting changed bounds (sizes that flip between two
// scales) must still end.
constexpr int MaxFitPasses = 8;

} // namespace

// ---- Copying -----------------------------------------------------------------

TScaleRec TScaleSetting::GetScaleRec() const { return *this; }

void TScaleSetting::SetScaleRec(const TScaleRec& r) { static_cast<TScaleRec&>(*this) = r; }

void TScaleSetting::Assign(const TPersistent& Source) {
    const auto* src = dynamic_cast<const TScaleSetting*>(&Source);
    if (!src || src == this) return;
    if (!FCanvas) FCanvas = src->FCanvas;
    SetScaleRec(src->GetScaleRec());
    State = src->State;
    State.Include(TScaleFlag::scChanged);
}

// ---- Scale and resolution ------------------------------------------------------

void TScaleSetting::SetScale(double value) {
    if (value == FScale) return;
    if (!(value > 0)) {
        FScale = 1.0;
    } else if (FmaxScale > 0 && value > FmaxScale) {
        SetScale(FmaxScale);
    } else if (value > MaxFiniteScale) {
        FScale = 1.0; // an infinite scale maps nothing anywhere
    } else {
        FScale = value;
    }
    Frcp_Scale = Round(1.0 / GetScale());
    CorrectContext();
    if (OnScaleChange) OnScaleChange(this);
    State.Include(TScaleFlag::scChanged);
}

void TScaleSetting::SetRcp_Scale(int32_t value) {
    if (value > 0) {
        Frcp_Scale = value;
        FScale = 1.0 / value;
    } else {
        Frcp_Scale = 1;
        FScale = 1.0;
    }
}

void TScaleSetting::Setrcp_Limit(int32_t value) { FmaxScale = value > 0 ? 1.0 / value : 0.0; }

int32_t TScaleSetting::Getrcp_Limit() const { return FmaxScale == 0 ? 0 : Round(1.0 / FmaxScale); }

void TScaleSetting::SetPixPerM(int32_t value) {
    if (value == FPixPerM) return;
    if (value < 1) {
        if (!FCanvas) return;
        FPixPerM = CalcPixPerM(*FCanvas).X;
    } else {
        FPixPerM = value;
    }
    CorrectContext();
}

bool TScaleSetting::RaiseScale(double s) {
    if (!(s > GetScale())) return false;
    // Clamping s back to the limit would ask for the raise again, without end.
    if (FmaxScale > 0 && s > FmaxScale) return false;
    const double before = GetScale();
    SetScale(s);
    return GetScale() != before;
}

// The extents' ratio is the pixels per logical unit, with the larger extent
// at MaxCoord where the ratio allows.
void TScaleSetting::CorrectContext() {
    const double S = GetScale();
    const bool pixel = FMinUnit == TLenUnits::Pixel;
    const double lp = pixel ? 1.0 : GetMinLen() * FPixPerM; // pixels per logical unit at 1:1
    if (!(lp > 0)) return; // no resolution yet: nothing to express
    double e;
    bool tooSmall;
    if (pixel) {
        e = MaxCoord * S;
        tooSmall = e < 1.0;
        while (e < 1.0) e *= 10;
    } else {
        e = 1.0 / S > lp ? MaxCoord * S : MaxCoord / lp;
        tooSmall = Round(lp * e) == 0;
        if (tooSmall) do e *= 10; while (Round(lp * e) < 1);
    }
    if (tooSmall) {
        // A logical unit is too small to show: raise the scale to the
        // smallest one whose extents can be expressed.
        if (RaiseScale(e / MaxCoord)) return;
        // Held by the limit: let the window extent grow beyond MaxCoord so
        // that the ratio stays close to the scale.
        const double wide = std::min(MaxCoord / lp, 2147483647.0 * S);
        if (Round(lp * wide) >= 1) e = wide;
    }
    FVPExt = Round(lp * e);
    FWndExt = Round(e / S);
}

// ---- Device contexts ------------------------------------------------------------

void TScaleSetting::SetMap(TCanvas& DC) {
    DC.SetMapMode(TMapMode::mmAnisotropic);
    DC.SetViewportOrg(FVPOrg);
    DC.SetWindowOrg({0, 0});
    if (State.Contains(TScaleFlag::scRefScale)) {
        DC.SetWindowExt({FRefScale.WndExt, FRefScale.WndExt});
        DC.SetViewportExt({FRefScale.VPExt, FRefScale.VPExt});
    } else {
        DC.SetWindowExt({FWndExt, FWndExt});
        DC.SetViewportExt({GetDirHorz() * FVPExt, GetDirVert() * FVPExt});
    }
    State.Exclude(TScaleFlag::scMMScaled);
}

void TScaleSetting::SetupScale() {
    if (FCanvas) SetMap(*FCanvas);
}

void TScaleSetting::ScaleToMM() {
    if (!FCanvas) return;
    FCanvas->SetMapMode(TMapMode::mmAnisotropic);
    FCanvas->SetWindowExt({10000, 10000});
    FCanvas->SetViewportExt({FPixPerM, FPixPerM});
    State.Include(TScaleFlag::scMMScaled);
}

// ---- Fitting ----------------------------------------------------------------------

void TScaleSetting::ScaleToFit(const TRect& DispRect, const TLimRec& DataLimits) {
    // Empty limits (Xmin > Xmax) and a rectangle without area give no scale
    // either: fitting them would fall back to 1:1.
    if (DataLimits.Xmin >= DataLimits.Xmax || DataLimits.Ymin >= DataLimits.Ymax) return;
    const double W = static_cast<double>(DispRect.Right) - DispRect.Left;
    const double H = static_cast<double>(DispRect.Bottom) - DispRect.Top;
    if (W <= 0 || H <= 0) return;
    const double dx = static_cast<double>(DataLimits.Xmax) - DataLimits.Xmin;
    const double dy = static_cast<double>(DataLimits.Ymax) - DataLimits.Ymin;
    double fx = W / dx;
    double fy = H / dy;
    if (FMinUnit != TLenUnits::Pixel) {
        const double lp = GetMinLen() * FPixPerM;
        if (!(lp > 0)) return;
        fx /= lp;
        fy /= lp;
    }
    SetScale(fy > fx ? fx : fy);
}

void TScaleSetting::CalcVPHome(const TRect& DispRect, const TLimRec& DataLimits) {
    const int64_t x = GetRightOrigin() ? int64_t{DispRect.Left} + LogToPix(DataLimits.Xmax)
                                       : int64_t{DispRect.Left} - LogToPix(DataLimits.Xmin);
    const int64_t y = GetBottomOrigin() ? int64_t{DispRect.Top} + LogToPix(DataLimits.Ymax)
                                        : int64_t{DispRect.Top} - LogToPix(DataLimits.Ymin);
    FVPHome = {Sat(x), Sat(y)};
    if (State.Contains(TScaleFlag::scCenterH)) {
        const int64_t w = int64_t{DispRect.Right} - DispRect.Left;
        const int64_t d = Round64(PixPerLog() * (static_cast<double>(DataLimits.Xmax) - DataLimits.Xmin));
        FVPHome.X = Sat(FVPHome.X + (w - d) / 2);
    }
    if (State.Contains(TScaleFlag::scCenterV)) {
        const int64_t h = int64_t{DispRect.Bottom} - DispRect.Top;
        const int64_t d = Round64(PixPerLog() * (static_cast<double>(DataLimits.Ymax) - DataLimits.Ymin));
        FVPHome.Y = Sat(FVPHome.Y + (h - d) / 2);
    }
}

void TScaleSetting::SetDrawRect(TScaleObject& AnyObject) { AnyObject.AdjustToScale(); }

void TScaleSetting::SetFullScreen(TScaleDocument& DataModule, const TRect& DispRect) {
    FullScreen(DataModule, DispRect, false);
}

void TScaleSetting::SetFullScreen(TScaleDocument& DataModule, const TWindowHost& DispWin) {
    FullScreen(DataModule, DispWin.ClientRect(), true);
}

void TScaleSetting::FullScreen(TScaleDocument& DataModule, TRect rect, bool centred) {
    if (FBlankZone > 0) {
        const int32_t b = MMToPix(FBlankZone);
        rect = {Sat(int64_t{rect.Left} + b), Sat(int64_t{rect.Top} + b), Sat(int64_t{rect.Right} - b),
                Sat(int64_t{rect.Bottom} - b)};
    }
    if (centred) State += {TScaleFlag::scCenterH, TScaleFlag::scCenterV};
    const auto step = [this](TScaleObject& o) { SetDrawRect(o); };
    const auto readjust = [&] {
        DataModule.InitLimits();
        SetupScale();
        DataModule.AllObjects(step);
    };
    ScaleToFit(rect, DataModule.GetLimits());
    if (State.Contains(TScaleFlag::scChanged)) {
        readjust();
        for (int pass = 1; pass < MaxFitPasses && State.Contains(TScaleFlag::scBoundsChanged); ++pass) {
            State.Exclude(TScaleFlag::scBoundsChanged);
            ScaleToFit(rect, DataModule.GetLimits());
            readjust();
        }
        State.Exclude(TScaleFlag::scChanged);
    }
    TLimRec limits = DataModule.GetLimits();
    // An empty drawing puts the logical origin at the rectangle's corner.
    if (limits.Xmin > limits.Xmax || limits.Ymin > limits.Ymax) limits = {};
    CalcVPHome(rect, limits);
    FVPOrg = FVPHome;
    State -= {TScaleFlag::scCenterH, TScaleFlag::scCenterV};
}

// ---- Conversions -------------------------------------------------------------------

// Device pixels per logical unit.
double TScaleSetting::PixPerLog() const {
    if (FMinUnit == TLenUnits::Pixel) return GetScale();
    return GetMinLen() * FPixPerM * GetScale();
}

int32_t TScaleSetting::LogToPix(int32_t n) const {
    if (n == 0) return 0;
    return Round(n * PixPerLog());
}

int32_t TScaleSetting::PixToLog(int32_t p) const {
    if (p == 0) return 0;
    const double d = PixPerLog();
    return d > 0 ? Round(p / d) : 0;
}

int32_t TScaleSetting::MMToPix(double m) const {
    if (m == 0) return 0;
    return Round(FPixPerM / 1000.0 * m);
}

double TScaleSetting::PixToMM(int32_t p) const {
    if (p == 0 || FPixPerM <= 0) return 0;
    return 1000.0 / FPixPerM * p;
}

int32_t TScaleSetting::MMToLog(double m) const {
    if (m == 0) return 0;
    if (FMinUnit == TLenUnits::Pixel) return Round(m / GetScale() / 1000 * FPixPerM);
    return Round(m / GetScale() / 1000 / GetMinLen());
}

double TScaleSetting::LogToWorld(int32_t n) const {
    if (FMinUnit == TLenUnits::Pixel) return n;
    return n * GetMinLen() * GetMeasureFact();
}

int32_t TScaleSetting::WorldToLog(double w) const {
    if (FMinUnit == TLenUnits::Pixel) return Round(w);
    return Round(w / GetMinLen() / GetMeasureFact());
}

// Counted in decimal exponents: repeated multiplication by 10 drifts
// (0.0001 * 10^4 is not quite 1.0) and would report one decimal too many.
int32_t TScaleSetting::WorldDcls() const {
    if (FMinUnit == TLenUnits::Pixel) return 0;
    return std::max(0, UnitExponent(FMinUnit) - UnitExponent(FMeasure));
}

double TScaleSetting::GetMaxWorld() const {
    if (FMinUnit == TLenUnits::Pixel) return MaxCoord;
    return MaxCoord * GetMinLen() * GetMeasureFact();
}

void TScaleSetting::SetMaxWorld(double value) {
    if (FMinUnit == TLenUnits::Pixel) return;
    const double q = value / MaxCoord / GetMeasureFact();
    while (q > GetMinLen() && FMinUnit != TLenUnits::Meter)
        SetMinUnit(static_cast<TLenUnits>(static_cast<uint8_t>(FMinUnit) - 1));
}

void TScaleSetting::SetMinUnit(TLenUnits value) {
    if (value == FMinUnit) return;
    FMinUnit = value;
    if (!State.Contains(TScaleFlag::scDesigning)) return;
    if (value == TLenUnits::Pixel) {
        FMeasure = TLenUnits::Pixel;
        return;
    }
    // At the largest scale one logical unit is 0.1 mm on the device.
    const double L = GetMinLen();
    FmaxScale = 1.0 / L / 10000;
    // A new mapping stores 0 but reads 1:1, so compare what it reads.
    if (GetScale() > FmaxScale) SetRcp_Scale(Round(L * 10000));
}

// ---- Origin ---------------------------------------------------------------------------

TPoint TScaleSetting::TopLeft(const TLimRec& LimRec) const {
    return {GetRightOrigin() ? LimRec.Xmax : LimRec.Xmin, GetBottomOrigin() ? LimRec.Ymax : LimRec.Ymin};
}

TPoint TScaleSetting::TopRight(const TLimRec& LimRec) const {
    return {GetRightOrigin() ? LimRec.Xmin : LimRec.Xmax, TopLeft(LimRec).Y};
}

TPoint TScaleSetting::BottomLeft(const TLimRec& LimRec) const {
    return {TopLeft(LimRec).X, GetBottomOrigin() ? LimRec.Ymin : LimRec.Ymax};
}

TPoint TScaleSetting::BottomRight(const TLimRec& LimRec) const {
    return {TopRight(LimRec).X, BottomLeft(LimRec).Y};
}

// Negation goes through 64 bits: a saturated conversion may be INT32_MIN.
TPoint TScaleSetting::GetTopLeft_Log() const {
    return {Sat(-int64_t{PixToLog(FVPOrg.X)} * GetDirHorz()), Sat(-int64_t{PixToLog(FVPOrg.Y)} * GetDirVert())};
}

void TScaleSetting::SetTopLeft_Log(TPoint p) {
    FVPOrg = {Sat(-int64_t{LogToPix(p.X)} * GetDirHorz()), Sat(-int64_t{LogToPix(p.Y)} * GetDirVert())};
}

TPoint TScaleSetting::GetClientMin_Log() const {
    const TRect& r = FClientRect_Log;
    return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom)};
}

TPoint TScaleSetting::GetClientMax_Log() const {
    const TRect& r = FClientRect_Log;
    return {std::max(r.Left, r.Right), std::max(r.Top, r.Bottom)};
}

// ---- TActScaleSetScope -----------------------------------------------------------

TActScaleSetScope::TActScaleSetScope(TScaleSetting* Value) : FSaved(ActScaleSet), FOuter(Innermost) {
    ActScaleSet = Value;
    Innermost = this;
}

TActScaleSetScope::~TActScaleSetScope() {
    ActScaleSet = FSaved;
    Innermost = FOuter;
}

void TActScaleSetScope::Forget(const TScaleSetting* Gone) {
    if (!Gone) return;
    if (ActScaleSet == Gone) ActScaleSet = nullptr;
    for (TActScaleSetScope* g = Innermost; g; g = g->FOuter)
        if (g->FSaved == Gone) g->FSaved = nullptr;
}

} // namespace vl

#pragma once
// The coordinate mapping of a view: world values (in Measure), logical units
// (one MinUnit each, the integers all geometry is stored in) and device pixels.

#include <cstdint>
#include <string>

#include "velloran/foundations/types.h"
#include "velloran/platform/object.h"
#include "velloran/platform/persistent.h"
#include "velloran/scale/len_units.h"
#include "velloran/scale/origin.h"
#include "velloran/scale/scale_state.h"

namespace vl {

class TCanvas;
class TScaleDocument;
class TScaleObject;
class TWindowHost;

/// Largest extent handed to a device context; also the number of logical units
/// that defines the largest world.
inline constexpr int32_t MaxCoord = 32767;
/// Hit-test tolerance in pixels.
inline constexpr int16_t FrameSpace = 3;

/// Extents of the scale at which the view was loaded.
struct TRefScale {
    int32_t VPExt = 0;
    int32_t WndExt = 0;
    friend bool operator==(const TRefScale&, const TRefScale&) = default;
};

/// The block of a mapping that Assign copies, in field order.
struct TScaleRec {
    TPoint FVPHome;
    TPoint FVPOrg;
    int32_t FVPExt = 0;
    int32_t FWndExt = 0;
    TLenUnits FMinUnit = TLenUnits::mm_10;
    double FScale = 0;
    double FmaxScale = 0;
    TLenUnits FMeasure = TLenUnits::Meter;
    int32_t FPixPerM = 0;
    int32_t FBlankZone = 0;
    TOrigin FOrigin = TOrigin::LeftTop;
};

// The mapping block is a private base, so copying it is one assignment.
/// The coordinate mapping of a view: world values, logical units and device pixels.
class TScaleSetting : public TPersistent, private TScaleRec {
public:
    explicit TScaleSetting(TCanvas* aCanvas = nullptr) : FCanvas(aCanvas) {}

    void Assign(const TPersistent& Source) override;
    std::string ClassName() const override { return "TScaleSetting"; }
    /// The block from FVPHome to FOrigin.
    TScaleRec GetScaleRec() const;
    void SetScaleRec(const TScaleRec& r);

    /// Not owned; the printer swaps in its own canvas.
    TCanvas* Canvas() const { return FCanvas; }
    void SetCanvas(TCanvas* aCanvas) { FCanvas = aCanvas; }

    // ---- Scale and resolution ----------------------------------------------
    /// A stored scale that is not a positive finite number reads as 1.0.
    double GetScale() const { return FScale > 0 && FScale <= MaxFiniteScale ? FScale : 1.0; }
    void SetScale(double value);
    int32_t PixPerM() const { return FPixPerM; }
    /// value < 1 measures the canvas's device (nothing without a canvas).
    void SetPixPerM(int32_t value);
    /// Recomputes the device extents from scale, unit and resolution.
    void CorrectContext();

    // ---- Device contexts ---------------------------------------------------
    void SetMap(TCanvas& DC);
    void SetupScale();
    /// One logical unit becomes 0.1 mm on the device, whatever the scale.
    void ScaleToMM();

    // ---- Fitting -----------------------------------------------------------
    void ScaleToFit(const TRect& DispRect, const TLimRec& DataLimits);
    void CalcVPHome(const TRect& DispRect, const TLimRec& DataLimits);
    void SetFullScreen(TScaleDocument& DataModule, const TRect& DispRect);
    /// The control's client area, centred in both directions.
    void SetFullScreen(TScaleDocument& DataModule, const TWindowHost& DispWin);
    void SetDrawRect(TScaleObject& AnyObject);

    // ---- Conversions (lengths and coordinates in logical units) ------------
    /// Without a resolution (PixPerM <= 0) nothing converts from pixels: the
    /// pixel-to-logical and pixel-to-mm results are 0.
    int32_t LogToPix(int32_t n) const;
    int32_t PixToLog(int32_t p) const;
    int32_t MMToPix(double m) const;
    double PixToMM(int32_t p) const;
    int32_t MMToLog(double m) const;
    double LogToWorld(int32_t n) const;
    int32_t WorldToLog(double w) const;
    TPoint WldToLogPnt(double XVal, double YVal) const { return {WorldToLog(XVal), WorldToLog(YVal)}; }
    /// Decimals needed to show one logical unit in world units.
    int32_t WorldDcls() const;

    double GetMaxWorld() const;
    /// Chooses a coarser MinUnit until value fits; never a finer one.
    void SetMaxWorld(double value);
    double GetMinLen() const { return UnitLength(FMinUnit); }
    int32_t GetMeasureFact() const { return UnitsPerMeter(FMeasure); }

    // ---- Origin ------------------------------------------------------------
    int32_t GetDirHorz() const { return GetRightOrigin() ? -1 : 1; }
    int32_t GetDirVert() const { return GetBottomOrigin() ? -1 : 1; }
    bool GetRightOrigin() const { return FOrigin == TOrigin::RightTop || FOrigin == TOrigin::RightBottom; }
    bool GetBottomOrigin() const { return FOrigin == TOrigin::LeftBottom || FOrigin == TOrigin::RightBottom; }
    /// The logical corner of LimRec that is shown at that screen corner.
    TPoint TopLeft(const TLimRec& LimRec) const;
    TPoint TopRight(const TLimRec& LimRec) const;
    TPoint BottomLeft(const TLimRec& LimRec) const;
    TPoint BottomRight(const TLimRec& LimRec) const;

    int32_t GetVPOrgX() const { return FVPOrg.X; }
    int32_t GetVPOrgY() const { return FVPOrg.Y; }
    void SetVPOrgX(int32_t value) { FVPOrg.X = value; }
    void SetVPOrgY(int32_t value) { FVPOrg.Y = value; }
    int32_t GetVPHomeX() const { return FVPHome.X; }
    int32_t GetVPHomeY() const { return FVPHome.Y; }
    void SetVPHomeX(int32_t value) { FVPHome.X = value; }
    void SetVPHomeY(int32_t value) { FVPHome.Y = value; }
    /// The logical point shown at device (0, 0).
    TPoint GetTopLeft_Log() const;
    void SetTopLeft_Log(TPoint p);

    /// Client area in logical units as last painted; runs backwards with a
    /// right or bottom origin.
    const TRect& ClientRect_Log() const { return FClientRect_Log; }
    void SetClientRect_Log(const TRect& r) { FClientRect_Log = r; }
    TPoint GetClientMin_Log() const;
    TPoint GetClientMax_Log() const;
    int32_t GetTempFrame() const { return PixToLog(FrameSpace); }

    int32_t VPExt() const { return FVPExt; }
    int32_t WndExt() const { return FWndExt; }
    const TRefScale& RefScale() const { return FRefScale; }
    void SetRefScale(const TRefScale& r) { FRefScale = r; }

    // ---- Published properties ----------------------------------------------
    int32_t BlankZone() const { return FBlankZone; }
    void SetBlankZone(int32_t value) { FBlankZone = value; }
    TLenUnits MinUnit() const { return FMinUnit; }
    void SetMinUnit(TLenUnits value);
    TLenUnits Measure() const { return FMeasure; }
    void SetMeasure(TLenUnits value) { FMeasure = value; }
    int32_t Getrcp_Limit() const;
    void Setrcp_Limit(int32_t value);
    TOrigin Origin() const { return FOrigin; }
    void SetOrigin(TOrigin value) { FOrigin = value; }
    int32_t Rcp_Scale() const { return Frcp_Scale; }
    /// The loading path: neither recomputes the extents nor notifies.
    void SetRcp_Scale(int32_t value);

    /// The scale or origin changed.
    TNotifyEvent OnScaleChange;
    TScaleState State;

private:
    static constexpr double MaxFiniteScale = 1.7976931348623157e308;
    /// Runs SetScale(s); false when the scale could not move (held by the limit).
    bool RaiseScale(double s);
    double PixPerLog() const;
    void FullScreen(TScaleDocument& DataModule, TRect rect, bool centred);

    TCanvas* FCanvas = nullptr;
    TRefScale FRefScale;
    int32_t Frcp_Scale = 1;
    TRect FClientRect_Log;
};

/// The mapping in force; not owned. Temporary mappings are installed with
/// TActScaleSetScope.
inline TScaleSetting* ActScaleSet = nullptr;

/// Installs a mapping for one scope and puts the previous one back. Guards
/// nest; a mapping that goes away while guards hold it is forgotten by all of
/// them, so none restores a dangling mapping.
class TActScaleSetScope {
public:
    explicit TActScaleSetScope(TScaleSetting* Value);
    ~TActScaleSetScope();
    TActScaleSetScope(const TActScaleSetScope&) = delete;
    TActScaleSetScope& operator=(const TActScaleSetScope&) = delete;

    /// Clears ActScaleSet and every saved value that refers to Gone.
    static void Forget(const TScaleSetting* Gone);

private:
    TScaleSetting* FSaved;
    TActScaleSetScope* FOuter;
    static inline TActScaleSetScope* Innermost = nullptr;
};

} // namespace vl

#include <velloran/view/scale_setting.h>

#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>
#include <velloran/view/scale_document.h>

#include "fake_canvas.h"

using namespace vl;
using vltest::TFakeCanvas;

namespace {

using enum TScaleFlag;

// 1 logical unit = 0.1 mm, 3750 pixels per metre, scale 1:1.
struct ScaleSettingTest : ::testing::Test {
    TFakeCanvas canvas;
    TScaleSetting ss{&canvas};
    int notified = 0;
    void SetUp() override {
        ActScaleSet = nullptr;
        ss.OnScaleChange = [this](TScaleSetting&) { ++notified; };
        ss.SetPixPerM(3750);
        ss.SetScale(1.0);
        ss.State = {};
        notified = 0;
    }
};

} // namespace

TEST(ScaleSettingNew, ReadsOneToOneAndNeverDividesByMissingResolution) {
    TScaleSetting ss;
    EXPECT_EQ(ss.GetScale(), 1.0);
    EXPECT_EQ(ss.Rcp_Scale(), 1);
    EXPECT_EQ(ss.MinUnit(), TLenUnits::mm_10);
    EXPECT_EQ(ss.Measure(), TLenUnits::Meter);
    EXPECT_EQ(ss.PixToLog(5), 0);
    EXPECT_EQ(ss.PixToMM(5), 0.0);
    EXPECT_EQ(ss.GetTempFrame(), 0);
    ss.CorrectContext(); // would loop for ever without a resolution
    EXPECT_EQ(ss.VPExt(), 0);
    ss.SetPixPerM(0); // no canvas to measure: stays unset
    EXPECT_EQ(ss.PixPerM(), 0);
    ss.SetupScale();
    ss.ScaleToMM();
    EXPECT_FALSE(ss.State.Contains(scMMScaled));
}

TEST_F(ScaleSettingTest, ConvertsTenthMillimetresInMetres) {
    EXPECT_EQ(ss.LogToPix(10000), 3750);
    EXPECT_EQ(ss.LogToPix(-10000), -3750);
    EXPECT_EQ(ss.PixToLog(3750), 10000);
    EXPECT_EQ(ss.WorldDcls(), 4);
    EXPECT_DOUBLE_EQ(ss.GetMaxWorld(), 3.2767);
    EXPECT_DOUBLE_EQ(ss.LogToWorld(12345), 1.2345);
    EXPECT_EQ(ss.WorldToLog(1.2345), 12345);
    EXPECT_EQ(ss.WldToLogPnt(0.5, -0.25), (TPoint{5000, -2500}));
    EXPECT_EQ(ss.MMToPix(10), 38); // 37.5 to even
    EXPECT_DOUBLE_EQ(ss.PixToMM(375), 100.0);
    EXPECT_EQ(ss.GetTempFrame(), 8);
    EXPECT_EQ(ss.WndExt(), 32767);
    EXPECT_EQ(ss.VPExt(), 12288);

    ss.SetScale(0.01);
    EXPECT_EQ(ss.LogToPix(10000), 38);
    EXPECT_EQ(ss.MMToLog(1), 1000); // 1 mm of paper is 10 cm of world
    EXPECT_EQ(ss.WndExt(), 32767);
    EXPECT_EQ(ss.VPExt(), 123);

    ss.SetScale(10); // a logical unit is larger than a pixel
    EXPECT_EQ(ss.VPExt(), 32767);
    EXPECT_EQ(ss.WndExt(), 8738);

    ss.SetMeasure(TLenUnits::mm);
    EXPECT_EQ(ss.WorldDcls(), 1);
    ss.SetMinUnit(TLenUnits::cm);
    ss.SetMeasure(TLenUnits::mm);
    EXPECT_EQ(ss.WorldDcls(), 0);
}

TEST_F(ScaleSettingTest, PixelUnitsFollowTheScaleOnly) {
    ss.SetMinUnit(TLenUnits::Pixel);
    EXPECT_EQ(ss.Measure(), TLenUnits::Meter); // not designing
    ss.SetScale(0.5);
    EXPECT_EQ(ss.LogToPix(101), 50);
    EXPECT_EQ(ss.PixToLog(50), 100);
    EXPECT_EQ(ss.LogToWorld(7), 7.0);
    EXPECT_EQ(ss.WorldToLog(2.5), 2);
    EXPECT_EQ(ss.WorldDcls(), 0);
    EXPECT_EQ(ss.GetMaxWorld(), 32767.0);
    EXPECT_EQ(ss.MMToLog(1), 8); // 7.5
    EXPECT_EQ(ss.WndExt(), 32767);
    EXPECT_EQ(ss.VPExt(), 16384);
}

TEST_F(ScaleSettingTest, TooSmallScalesAreRaisedOnlyUpToTheLimit) {
    ss.SetScale(1e-6);
    EXPECT_NEAR(ss.GetScale(), 1e-4, 1e-12);
    EXPECT_EQ(ss.VPExt(), 1);
    EXPECT_EQ(ss.WndExt(), 32767);
    EXPECT_EQ(notified, 2);

    // Raising beyond the limit would ask for the raise again without end;
    // the window extent grows instead.
    ss.Setrcp_Limit(100000);
    ss.SetScale(1e-6);
    EXPECT_EQ(ss.GetScale(), 1e-6);
    EXPECT_NEAR(double(ss.VPExt()) / ss.WndExt(), 0.375e-6, 1e-9);

    ss.SetMinUnit(TLenUnits::Pixel);
    ss.Setrcp_Limit(0);
    ss.SetScale(4e-6);
    EXPECT_NEAR(ss.GetScale(), 4e-5, 1e-12);
    ss.Setrcp_Limit(100000);
    ss.SetScale(2e-6);
    EXPECT_EQ(ss.GetScale(), 2e-6);
    EXPECT_NEAR(double(ss.VPExt()) / ss.WndExt(), 2e-6, 1e-9);
}

TEST_F(ScaleSettingTest, SetScaleClampsRejectsAndNotifies) {
    ss.Setrcp_Limit(10);
    EXPECT_EQ(ss.Getrcp_Limit(), 10);
    ss.SetScale(0.5);
    EXPECT_DOUBLE_EQ(ss.GetScale(), 0.1);
    EXPECT_EQ(ss.Rcp_Scale(), 10);
    EXPECT_EQ(notified, 2);
    EXPECT_TRUE(ss.State.Contains(scChanged));
    ss.SetScale(0.1);
    EXPECT_EQ(notified, 2);
    ss.SetScale(0.5);
    EXPECT_EQ(notified, 3);

    ss.Setrcp_Limit(0);
    EXPECT_EQ(ss.Getrcp_Limit(), 0);
    for (double bad : {0.0, -2.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        ss.SetScale(0.25);
        ss.SetScale(bad);
        EXPECT_EQ(ss.GetScale(), 1.0) << bad;
        EXPECT_EQ(ss.Rcp_Scale(), 1);
    }

    notified = 0;
    const int32_t vp = ss.VPExt();
    ss.SetRcp_Scale(250);
    EXPECT_DOUBLE_EQ(ss.GetScale(), 0.004);
    EXPECT_EQ(ss.VPExt(), vp);
    EXPECT_EQ(notified, 0);
    ss.SetRcp_Scale(0);
    EXPECT_EQ(ss.GetScale(), 1.0);
    EXPECT_EQ(ss.Rcp_Scale(), 1);
}

TEST_F(ScaleSettingTest, SetMapSignsTheViewportByOrigin) {
    ss.SetVPOrgX(40);
    ss.SetVPOrgY(-7);
    struct Case { TOrigin o; int sx, sy; };
    for (const Case c : {Case{TOrigin::LeftTop, 1, 1}, Case{TOrigin::LeftBottom, 1, -1},
                         Case{TOrigin::RightTop, -1, 1}, Case{TOrigin::RightBottom, -1, -1},
                         Case{TOrigin::Center, 1, 1}}) {
        ss.SetOrigin(c.o);
        ss.State.Include(scMMScaled);
        canvas.SetWindowOrg({5, 5});
        ss.SetupScale();
        const TMapping& m = canvas.Mapping();
        EXPECT_EQ(m.Mode, TMapMode::mmAnisotropic);
        EXPECT_EQ(m.WindowOrg, (TPoint{0, 0}));
        EXPECT_EQ(m.ViewportOrg, (TPoint{40, -7}));
        EXPECT_EQ(m.WindowExt, (TSize{32767, 32767}));
        EXPECT_EQ(m.ViewportExt, (TSize{c.sx * 12288, c.sy * 12288}));
        EXPECT_FALSE(ss.State.Contains(scMMScaled));
        // The device agrees with the own conversion.
        EXPECT_EQ(canvas.LPtoDP({10000, 20000}), (TPoint{40 + c.sx * 3750, -7 + c.sy * 7500}));
    }
    ss.SetRefScale({100, 400});
    ss.State.Include(scRefScale);
    ss.SetupScale();
    EXPECT_EQ(canvas.Mapping().WindowExt, (TSize{400, 400}));
    EXPECT_EQ(canvas.Mapping().ViewportExt, (TSize{100, 100}));

    ss.ScaleToMM();
    EXPECT_EQ(canvas.Mapping().WindowExt, (TSize{10000, 10000}));
    EXPECT_EQ(canvas.Mapping().ViewportExt, (TSize{3750, 3750}));
    EXPECT_EQ(canvas.Mapping().ViewportOrg, (TPoint{40, -7}));
    EXPECT_TRUE(ss.State.Contains(scMMScaled));
}

TEST_F(ScaleSettingTest, ScaleToFitTakesTheSmallerFactorAndIgnoresDegenerateInput) {
    ss.ScaleToFit({0, 0, 375, 750}, {0, 0, 10000, 10000});
    EXPECT_DOUBLE_EQ(ss.GetScale(), 0.1);

    for (const TLimRec lim : {TLimRec{0, 0, 0, 100}, TLimRec{0, 5, 100, 5},
                              TLimRec{32767, 32767, -32767, -32767},
                              TLimRec{EmptyLimMin, EmptyLimMin, EmptyLimMax, EmptyLimMax}})
        ss.ScaleToFit({0, 0, 375, 750}, lim);
    ss.ScaleToFit({10, 10, 10, 300}, {0, 0, 100, 100});
    ss.ScaleToFit({10, 10, 0, 300}, {0, 0, 100, 100}); // blank zone wider than the window
    EXPECT_DOUBLE_EQ(ss.GetScale(), 0.1);

    TScaleSetting pix;
    pix.SetMinUnit(TLenUnits::Pixel);
    pix.ScaleToFit({0, 0, 100, 50}, {0, 0, 1000, 1000});
    EXPECT_DOUBLE_EQ(pix.GetScale(), 0.05);
    TScaleSetting unset; // no resolution: no scale to compute
    unset.ScaleToFit({0, 0, 100, 50}, {0, 0, 1000, 1000});
    EXPECT_EQ(unset.GetScale(), 1.0);
}

TEST(ScaleSettingHome, CalcVPHomePutsTheTopLeftCornerOfTheLimitsAtTheRectangle) {
    TScaleSetting ss;
    ss.SetMinUnit(TLenUnits::Pixel);
    ss.SetOrigin(TOrigin::LeftBottom);
    ss.CalcVPHome({0, 0, 200, 100}, {0, 0, 1000, 1000});
    EXPECT_EQ(ss.GetVPHomeX(), 0);
    EXPECT_EQ(ss.GetVPHomeY(), 1000);
    ss.SetOrigin(TOrigin::RightTop);
    ss.CalcVPHome({10, 20, 200, 100}, {-5, 30, 1000, 1000});
    EXPECT_EQ(ss.GetVPHomeX(), 1010);
    EXPECT_EQ(ss.GetVPHomeY(), -10);

    // Centring divides toward zero.
    ss.SetOrigin(TOrigin::LeftTop);
    ss.SetScale(0.1);
    ss.State += {scCenterH, scCenterV};
    ss.CalcVPHome({0, 0, 201, 99}, {0, 0, 1000, 1000});
    EXPECT_EQ(ss.GetVPHomeX(), 50);
    EXPECT_EQ(ss.GetVPHomeY(), 0);

    ss.SetScale(100); // extreme limits saturate instead of overflowing
    ss.CalcVPHome({0, 0, 201, 99}, {EmptyLimMin, EmptyLimMin, EmptyLimMax, EmptyLimMax});
    EXPECT_EQ(ss.GetVPHomeX(), INT32_MAX);
}

namespace {

struct FakeDocument : TScaleDocument {
    struct Obj : TScaleObject {
        FakeDocument* doc = nullptr;
        void AdjustToScale() override { doc->Adjusted(); }
    };
    TScaleSetting& ss;
    TLimRec limits;
    std::vector<Obj> objects = std::vector<Obj>(3);
    int inits = 0, adjusts = 0;
    int growPasses = 0; // passes whose adjustment still changes the bounds
    explicit FakeDocument(TScaleSetting& s, TLimRec l) : ss(s), limits(l) {
        for (auto& o : objects) o.doc = this;
    }
    TLimRec GetLimits() override { return limits; }
    void InitLimits() override { ++inits; }
    void AllObjects(const TScaleStep& Step) override {
        for (auto& o : objects) Step(o);
        if (growPasses != 0) {
            --growPasses;
            limits.Xmax *= 2;
            ss.State.Include(scBoundsChanged);
        }
    }
    void Adjusted() {
        ++adjusts;
        EXPECT_EQ(canvasScale(), ss.VPExt()); // mapped before objects adjust
    }
    int32_t canvasScale() const { return std::abs(ss.Canvas()->Mapping().ViewportExt.cx); }
};

} // namespace

TEST_F(ScaleSettingTest, SetFullScreenFitsAdjustsAndPlaces) {
    ss.SetOrigin(TOrigin::LeftBottom);
    ss.SetBlankZone(10); // 38 pixels
    FakeDocument doc(ss, {0, 0, 10000, 10000});
    ss.SetFullScreen(doc, {0, 0, 451, 1000});
    EXPECT_DOUBLE_EQ(ss.GetScale(), 0.1); // (451 - 76) / 3750
    EXPECT_EQ(doc.inits, 1);
    EXPECT_EQ(doc.adjusts, 3);
    EXPECT_EQ(ss.GetVPOrgX(), 38);
    EXPECT_EQ(ss.GetVPOrgY(), 38 + 375);
    EXPECT_EQ(ss.GetVPHomeY(), ss.GetVPOrgY());
    EXPECT_FALSE(ss.State.Contains(scChanged));

    // Objects that grow with the scale make the fit run again, once per change.
    doc.limits.Xmax = 20000;
    doc.growPasses = 1;
    doc.inits = doc.adjusts = 0;
    ss.SetBlankZone(0);
    ss.SetFullScreen(doc, {0, 0, 375, 375});
    EXPECT_EQ(doc.inits, 2);
    EXPECT_DOUBLE_EQ(ss.GetScale(), 0.025);

    // Bounds that keep changing must not hold the view for ever.
    doc.growPasses = -1;
    doc.limits.Xmax = 10000;
    ss.SetFullScreen(doc, {0, 0, 300, 300});
    EXPECT_LT(doc.inits, 20);

    // Same scale: objects are left alone; centring is used once.
    doc.growPasses = 0;
    doc.limits.Xmax = 10000;
    ss.SetFullScreen(doc, {0, 0, 300, 300});
    doc.inits = 0;
    const double s = ss.GetScale();
    ss.State += {scCenterH, scCenterV};
    ss.SetFullScreen(doc, {0, 0, 300, 300});
    EXPECT_EQ(ss.GetScale(), s);
    EXPECT_EQ(doc.inits, 0);
    EXPECT_FALSE(ss.State.Contains(scCenterH) || ss.State.Contains(scCenterV));
}

TEST_F(ScaleSettingTest, SetFullScreenOfAnEmptyDrawingKeepsScaleAndOrigin) {
    ss.SetOrigin(TOrigin::RightBottom);
    FakeDocument doc(ss, {32767, 32767, -32767, -32767});
    ss.SetFullScreen(doc, {10, 20, 300, 200});
    EXPECT_EQ(ss.GetScale(), 1.0);
    EXPECT_EQ(doc.adjusts, 0);
    EXPECT_EQ(ss.GetVPOrgX(), 10);
    EXPECT_EQ(ss.GetVPOrgY(), 20);
}

TEST(ScaleSettingUnits, MinUnitAndMaxWorld) {
    TScaleSetting ss;
    ss.SetMinUnit(TLenUnits::mm);
    EXPECT_EQ(ss.Getrcp_Limit(), 0); // outside design mode only the unit changes
    ss.SetMinUnit(TLenUnits::mm_10);
    ss.SetMaxWorld(100);
    EXPECT_EQ(ss.MinUnit(), TLenUnits::cm);
    ss.SetMaxWorld(1);
    EXPECT_EQ(ss.MinUnit(), TLenUnits::cm);
    ss.SetMaxWorld(1e12);
    EXPECT_EQ(ss.MinUnit(), TLenUnits::Meter);

    TScaleSetting d;
    d.State.Include(TScaleFlag::scDesigning);
    struct Case { TLenUnits u; int32_t limit; };
    for (const Case c : {Case{TLenUnits::Meter, 10000}, Case{TLenUnits::dm, 1000},
                         Case{TLenUnits::cm, 100}, Case{TLenUnits::mm, 10}, Case{TLenUnits::mm_10, 1}}) {
        d.SetMinUnit(c.u == TLenUnits::mm_10 ? TLenUnits::mm : TLenUnits::mm_10);
        d.SetRcp_Scale(1);
        d.SetMinUnit(c.u);
        EXPECT_EQ(d.Getrcp_Limit(), c.limit);
        EXPECT_EQ(d.Rcp_Scale(), c.limit); // 1:1 was above the new limit
    }
    TScaleSetting fresh; // stores scale 0 but shows 1:1, which the limit catches too
    fresh.State.Include(TScaleFlag::scDesigning);
    fresh.SetMinUnit(TLenUnits::cm);
    EXPECT_EQ(fresh.Rcp_Scale(), 100);
    fresh.SetMinUnit(TLenUnits::Pixel);
    EXPECT_EQ(fresh.Measure(), TLenUnits::Pixel);
    fresh.SetMaxWorld(1e12);
    EXPECT_EQ(fresh.MinUnit(), TLenUnits::Pixel);
}

TEST_F(ScaleSettingTest, AssignCopiesTheMappingBlockOnly) {
    ss.SetOrigin(TOrigin::RightTop);
    ss.SetBlankZone(4);
    ss.SetVPHomeX(11);
    ss.SetVPOrgY(22);
    ss.SetRefScale({1, 2});
    ss.SetClientRect_Log({1, 2, 3, 4});
    ss.SetScale(0.02);
    ss.State = {scPrinting};

    TScaleSetting copy;
    int copyNotified = 0;
    copy.OnScaleChange = [&](TScaleSetting&) { ++copyNotified; };
    copy.Assign(ss);
    EXPECT_EQ(copy.Canvas(), &canvas);
    EXPECT_EQ(copy.Origin(), TOrigin::RightTop);
    EXPECT_EQ(copy.BlankZone(), 4);
    EXPECT_EQ(copy.GetVPHomeX(), 11);
    EXPECT_EQ(copy.GetVPOrgY(), 22);
    EXPECT_EQ(copy.GetScale(), 0.02);
    EXPECT_EQ(copy.PixPerM(), 3750);
    EXPECT_EQ(copy.VPExt(), ss.VPExt());
    EXPECT_EQ(copy.State, (TScaleState{scPrinting, scChanged}));
    EXPECT_EQ(copy.RefScale(), TRefScale{});
    EXPECT_EQ(copy.ClientRect_Log(), TRect{});
    EXPECT_EQ(copy.Rcp_Scale(), 1);
    EXPECT_EQ(copyNotified, 0);

    TFakeCanvas other;
    TScaleSetting own(&other);
    own.Assign(ss);
    EXPECT_EQ(own.Canvas(), &other);
    own.Assign(TPersistent{}); // another class: nothing happens
    EXPECT_EQ(own.Origin(), TOrigin::RightTop);
}

TEST_F(ScaleSettingTest, CornersAndTopLeftFollowTheOrigin) {
    const TLimRec lim{1, 2, 3, 4};
    ss.SetOrigin(TOrigin::RightBottom);
    EXPECT_EQ(ss.TopLeft(lim), (TPoint{3, 4}));
    EXPECT_EQ(ss.TopRight(lim), (TPoint{1, 4}));
    EXPECT_EQ(ss.BottomLeft(lim), (TPoint{3, 2}));
    EXPECT_EQ(ss.BottomRight(lim), (TPoint{1, 2}));
    ss.SetTopLeft_Log({10000, -20000});
    EXPECT_EQ(ss.GetVPOrgX(), 3750);
    EXPECT_EQ(ss.GetVPOrgY(), -7500);
    EXPECT_EQ(ss.GetTopLeft_Log(), (TPoint{10000, -20000}));
    ss.SetScale(100);
    ss.SetTopLeft_Log({INT32_MIN, INT32_MAX}); // saturates, no overflow
    EXPECT_EQ(ss.GetVPOrgX(), INT32_MIN);
    EXPECT_EQ(ss.GetVPOrgY(), INT32_MAX);

    ss.SetOrigin(TOrigin::Center);
    EXPECT_EQ(ss.TopLeft(lim), (TPoint{1, 2}));
    ss.SetClientRect_Log({50, 40, -10, 60});
    EXPECT_EQ(ss.GetClientMin_Log(), (TPoint{-10, 40}));
    EXPECT_EQ(ss.GetClientMax_Log(), (TPoint{50, 60}));
}

TEST_F(ScaleSettingTest, SetPixPerMBelowOneMeasuresTheDevice) {
    canvas.HorzRes = 2400;
    canvas.HorzSize = 320; // 7500 pixels per metre
    ss.SetPixPerM(0);
    EXPECT_EQ(ss.PixPerM(), 7500);
    EXPECT_EQ(ss.LogToPix(10000), 7500);
    EXPECT_EQ(ss.VPExt(), 24575); // 32767 * 0.75, recomputed
}

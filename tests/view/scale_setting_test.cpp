#include <velloran/scale/scale_setting.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>
#include <velloran/scale/scale_document.h>

#include "fake_canvas.h"

using namespace vl;
using enum TScaleFlag;

namespace {

// 1 logical unit = 0.1 mm, 3750 pixels per metre, scale 1:1.
struct ScaleSettingTest : ::testing::Test {
    vltest::TFakeCanvas canvas;
    TScaleSetting ss{&canvas};
    int notified = 0;
    void SetUp() override {
        ss.OnScaleChange = [this](TObject* sender) { notified += sender == &ss; };
        ss.SetPixPerM(3750);
        ss.SetScale(1.0);
        ss.State = {};
        notified = 0;
    }
};

// Three objects; a walk reports grown bounds while growPasses is not 0.
struct FakeDocument : TScaleDocument {
    struct Obj : TScaleObject {
        explicit Obj(int* a) : adjusts(a) {}
        int* adjusts;
        void AdjustToScale() override { ++*adjusts; }
    };
    TScaleSetting& ss;
    TLimRec limits;
    int inits = 0, adjusts = 0, growPasses = 0;
    std::vector<Obj> objects{Obj{&adjusts}, Obj{&adjusts}, Obj{&adjusts}};
    FakeDocument(TScaleSetting& s, TLimRec l) : ss(s), limits(l) {}
    TLimRec GetLimits() override { return limits; }
    void InitLimits() override { ++inits; }
    void AllObjects(TScaleStep Step) override {
        for (auto& o : objects) Step(o);
        if (growPasses == 0) return;
        --growPasses;
        limits.Xmax *= 2;
        ss.State.Include(scBoundsChanged);
    }
};

} // namespace

TEST(ScaleSettingNew, ReadsOneToOneAndSurvivesAMissingResolution) {
    TScaleSetting ss;
    EXPECT_EQ(ss.GetScale(), 1.0);
    EXPECT_EQ(ss.PixToLog(5), 0);
    ss.CorrectContext(); // would loop for ever without a resolution
    ss.SetPixPerM(0);    // no canvas to measure
    ss.ScaleToFit({0, 0, 100, 50}, {0, 0, 1000, 1000});
    EXPECT_EQ(ss.GetScale(), 1.0);
}

TEST_F(ScaleSettingTest, ConvertsAndChoosesExtents) {
    EXPECT_EQ(ss.PixToLog(-3750), -10000);
    EXPECT_EQ(ss.WorldToLog(ss.LogToWorld(12345)), 12345);
    // The larger extent is always 32767; halves go to even (50.5 -> 50).
    struct Case { bool Pixel; double Scale; int32_t Log, Pix, VP, Wnd; };
    for (const Case c : {Case{false, 1, 10000, 3750, 12288, 32767}, Case{false, 0.01, 10000, 38, 123, 32767},
                         Case{false, 10, 2, 8, 32767, 8738}, Case{true, 0.5, 101, 50, 16384, 32767}}) {
        if (c.Pixel) ss.SetMinUnit(TLenUnits::Pixel);
        ss.SetScale(c.Scale);
        EXPECT_EQ(ss.LogToPix(c.Log), c.Pix) << c.Scale;
        EXPECT_EQ(ss.VPExt(), c.VP) << c.Scale;
        EXPECT_EQ(ss.WndExt(), c.Wnd) << c.Scale;
    }
}

TEST_F(ScaleSettingTest, TooSmallScalesAreRaisedButNotPastTheLimit) {
    ss.SetScale(1e-6);
    EXPECT_NEAR(ss.GetScale(), 1e-4, 1e-12);
    EXPECT_EQ(ss.VPExt(), 1);
    EXPECT_EQ(notified, 2);
    // Clamping the raise to the limit would ask for it again, without end.
    ss.Setrcp_Limit(100000);
    ss.SetScale(1e-6);
    EXPECT_EQ(ss.GetScale(), 1e-6);
    EXPECT_NEAR(double(ss.VPExt()) / ss.WndExt(), 0.375e-6, 1e-9);

    ss.SetMinUnit(TLenUnits::Pixel);
    ss.SetScale(2e-6);
    EXPECT_NEAR(double(ss.VPExt()) / ss.WndExt(), 2e-6, 1e-9);
    ss.Setrcp_Limit(0);
    ss.SetScale(4e-6);
    EXPECT_NEAR(ss.GetScale(), 4e-5, 1e-12);
}

TEST_F(ScaleSettingTest, SetScaleClampsRejectsAndNotifies) {
    ss.Setrcp_Limit(10);
    ss.SetScale(0.5);
    EXPECT_DOUBLE_EQ(ss.GetScale(), 0.1);
    EXPECT_EQ(ss.Rcp_Scale(), 10);
    EXPECT_EQ(notified, 2);
    ss.SetScale(0.1);
    EXPECT_EQ(notified, 2);
    ss.SetScale(0.5);
    EXPECT_EQ(notified, 3);

    ss.Setrcp_Limit(0);
    for (double bad : {0.0, -2.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        ss.SetScale(0.25);
        ss.SetScale(bad);
        EXPECT_EQ(ss.GetScale(), 1.0) << bad;
    }
    ss.SetRcp_Scale(0);
    EXPECT_EQ(ss.Rcp_Scale(), 1);
}

TEST_F(ScaleSettingTest, SetMapSignsTheViewportByOrigin) {
    ss.SetTopLeft_Log({-160, 200}); // device origin (60, -75)
    struct Case { TOrigin o; int sx, sy; };
    for (const Case c : {Case{TOrigin::LeftTop, 1, 1}, Case{TOrigin::LeftBottom, 1, -1},
                         Case{TOrigin::RightTop, -1, 1}, Case{TOrigin::RightBottom, -1, -1},
                         Case{TOrigin::Center, 1, 1}}) {
        ss.SetOrigin(c.o);
        canvas.SetWindowOrg({5, 5});
        ss.SetupScale();
        // The device agrees with the own conversion.
        EXPECT_EQ(canvas.LPtoDP({10000, 20000}), (TPoint{60 + c.sx * 3750, -75 + c.sy * 7500}));
    }
}

TEST_F(ScaleSettingTest, ScaleToFitTakesTheSmallerFactorAndIgnoresDegenerateInput) {
    ss.ScaleToFit({0, 0, 375, 750}, {0, 0, 10000, 10000});
    EXPECT_DOUBLE_EQ(ss.GetScale(), 0.1);
    for (const TLimRec lim : {TLimRec{0, 0, 0, 100}, TLimRec{32767, 32767, -32767, -32767},
                              TLimRec{EmptyLimMin, EmptyLimMin, EmptyLimMax, EmptyLimMax}})
        ss.ScaleToFit({0, 0, 375, 750}, lim);
    ss.ScaleToFit({10, 10, 0, 300}, {0, 0, 100, 100}); // blank zone wider than the window
    EXPECT_DOUBLE_EQ(ss.GetScale(), 0.1);
    ss.SetMinUnit(TLenUnits::Pixel);
    ss.ScaleToFit({0, 0, 100, 50}, {0, 0, 1000, 1000});
    EXPECT_DOUBLE_EQ(ss.GetScale(), 0.05);
}

TEST(ScaleSettingHome, CalcVPHomePutsTheLimitsIntoTheRectangle) {
    TScaleSetting ss;
    ss.SetMinUnit(TLenUnits::Pixel);
    ss.SetOrigin(TOrigin::LeftBottom);
    ss.CalcVPHome({0, 0, 200, 100}, {0, 0, 1000, 1000});
    EXPECT_EQ(ss.GetVPHomeY(), 1000);
    ss.SetOrigin(TOrigin::RightTop);
    ss.SetScale(0.1);
    ss.State += {scCenterH, scCenterV};
    ss.CalcVPHome({0, 0, 201, 99}, {0, 0, 1000, 1000}); // centring truncates toward zero
    EXPECT_EQ(ss.GetVPHomeX(), 150);
    EXPECT_EQ(ss.GetVPHomeY(), 0);
    ss.SetScale(100);
    ss.CalcVPHome({0, 0, 201, 99}, {EmptyLimMin, EmptyLimMin, EmptyLimMax, EmptyLimMax});
    EXPECT_EQ(ss.GetVPHomeY(), INT32_MAX); // saturates instead of overflowing
}

TEST_F(ScaleSettingTest, SetFullScreenFitsAdjustsAndPlaces) {
    ss.SetOrigin(TOrigin::LeftBottom);
    ss.SetBlankZone(10); // 38 pixels
    FakeDocument doc(ss, {0, 0, 10000, 10000});
    ss.SetFullScreen(doc, {0, 0, 451, 1000});
    EXPECT_DOUBLE_EQ(ss.GetScale(), 0.1);
    EXPECT_EQ(doc.adjusts, 3);
    EXPECT_EQ(canvas.Mapping().ViewportExt.cx, ss.VPExt()); // mapped before the objects adjust
    EXPECT_EQ(ss.GetVPOrgY(), 38 + 375);
    EXPECT_FALSE(ss.State.Contains(scChanged));

    ss.SetBlankZone(0);
    doc.limits.Xmax = 20000;
    doc.growPasses = 1; // objects grew with the scale: fit once more
    doc.inits = 0;
    ss.SetFullScreen(doc, {0, 0, 375, 375});
    EXPECT_EQ(doc.inits, 2);
    EXPECT_DOUBLE_EQ(ss.GetScale(), 0.025);
    doc.growPasses = -1; // bounds that never settle must not hold the view
    ss.SetFullScreen(doc, {0, 0, 300, 300});

    doc.growPasses = 0;
    ss.SetFullScreen(doc, {0, 0, 300, 300});
    doc.inits = 0;
    ss.State += {scCenterH, scCenterV};
    ss.SetFullScreen(doc, {0, 0, 300, 300}); // same scale: objects left alone
    EXPECT_EQ(doc.inits, 0);
    EXPECT_FALSE(ss.State.Contains(scCenterH) || ss.State.Contains(scCenterV));

    FakeDocument empty(ss, {32767, 32767, -32767, -32767});
    ss.SetFullScreen(empty, {10, 20, 300, 200});
    EXPECT_EQ(ss.GetVPOrgY(), 20);
}

TEST_F(ScaleSettingTest, MeasuresTheDeviceAndLimitsByUnitInDesignModeOnly) {
    canvas.HorzRes = 2400;
    canvas.HorzSize = 320;
    ss.SetPixPerM(0);
    EXPECT_EQ(ss.PixPerM(), 7500);
    ss.SetMaxWorld(1);
    EXPECT_EQ(ss.Getrcp_Limit(), 0);
    struct Case { TLenUnits u; int32_t limit; };
    for (const Case c : {Case{TLenUnits::Meter, 10000}, Case{TLenUnits::mm, 10}}) {
        TScaleSetting d; // stores scale 0 but shows 1:1, which the new limit catches
        d.State.Include(scDesigning);
        d.SetMinUnit(c.u);
        EXPECT_EQ(d.Rcp_Scale(), c.limit);
    }
}

namespace {

TEST(ActScaleSetScope, RestoresOnExitAndExceptionAndNeverRestoresAForgottenMapping) {
    TScaleSetting a, b, c;
    {
        TActScaleSetScope outer(&a);
        try {
            TActScaleSetScope inner(&b);
            EXPECT_EQ(ActScaleSet, &b);
            throw std::runtime_error("drawing failed");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(ActScaleSet, &a) << "an exception leaves nothing behind";
        {
            TActScaleSetScope first(&b);
            TActScaleSetScope second(&c);
            // b's owner goes while guards would put it back.
            TActScaleSetScope::Forget(&b);
            EXPECT_EQ(ActScaleSet, &c);
        }
        EXPECT_EQ(ActScaleSet, &a) << "the chain below the forgotten mapping is intact";
        {
            TActScaleSetScope first(&c);
            TActScaleSetScope::Forget(&c);
            EXPECT_EQ(ActScaleSet, nullptr);
            TActScaleSetScope::Forget(&a);
        }
        EXPECT_EQ(ActScaleSet, nullptr) << "not the forgotten mapping";
    }
    EXPECT_EQ(ActScaleSet, nullptr);
}

} // namespace

#include "object_fixture.h"

using namespace vl;
using namespace vl::test;
using enum TIndividualFlag;

namespace {

using Position = ObjectTest;

TEST_F(Position, FreeObjectAndSlaveFollowingItsMaster) {
    TBoxObj* m = Add(Tool, {100, 50});
    TBoxObj* s = AddSlave(Tool2, m, 5, -3);
    EXPECT_TRUE(m->GetMaster() == m && s->GetMaster() == m);
    m->SetX(110);
    EXPECT_EQ(s->GetPos(), (TPoint{115, 47}));
    s->SetPos({90, 60}); // a slave stores its offset
    EXPECT_EQ((TPoint{s->Pos.RelX, s->Pos.RelY}), (TPoint{-20, 10}));
    s->SetX(110 + 40000); // offsets are 16 bits wide
    EXPECT_EQ(s->Pos.RelX, static_cast<int16_t>(40000));
    // The application's reference point replaces the master's.
    Tool2->OnCalcRefPoint = [](TvlObject*, TPoint& p) { p = {1000, 2000}; };
    s->SetX(1010);
    s->SetY(1990);
    EXPECT_EQ((TPoint{s->Pos.RelX, s->Pos.RelY}), (TPoint{10, -10}));
    EXPECT_EQ(s->GetPos(), (TPoint{1010, 1990}));
}

TEST_F(Position, FirstPointSlaveCannotBeSetAndWorldValuesConvert) {
    TBoxObj* o = Add(Tool, {7, 8});
    o->State.Include(isP1Slave);
    o->SetPos({1, 2});
    o->SetX(3);
    o->SetY_World(4.0);
    o->State.Exclude(isP1Slave);
    EXPECT_EQ(o->GetPos(), (TPoint{7, 8}));

    ActScaleSet->SetMinUnit(TLenUnits::mm_10);
    ActScaleSet->SetMeasure(TLenUnits::Meter);
    o->SetX_World(1.5);
    EXPECT_EQ(o->GetX(), 15000);
    EXPECT_DOUBLE_EQ(o->GetX_World(), 1.5);
}

TEST_F(Position, BoxAndMaxLimits) {
    TBoxObj* o = Add(Tool, {100, 50});
    EXPECT_EQ(o->GetRect(), (TRect{100, 50, 140, 70}));
    ActScaleSet->SetOrigin(TOrigin::RightBottom);
    EXPECT_EQ(o->GetRect_Lcl(), (TRect{40, 20, 0, 0}));
    ActScaleSet->SetOrigin(TOrigin::LeftTop);
    Tool->Generator().SetPen({clBlack, 2, TPenStyle::psSolid, TPenMode::pmCopy});
    EXPECT_EQ(o->GetMaxLimits(), (TLimRec{94, 44, 146, 76}));
    Tool->Generator().SetOptions({TGeneratorOption::goShadows});
    Box->Shadows().SetdX(10);
    for (int32_t dy : {-7, 7}) { // shadows falling down in a y-up view widen the limits too
        Box->Shadows().SetdY(dy);
        EXPECT_EQ(o->GetMaxLimits(), (TLimRec{84, 37, 156, 83}));
    }
    // Sizing widens each margin to at least the handle size.
    ActScaleSet->SetPixPerM(3780);
    ActScaleSet->SetScale(1.0);
    const int32_t t = ActScaleSet->GetTempFrame();
    ASSERT_TRUE(t > 7 && t < 10);
    o->State.Include(isSizing);
    EXPECT_EQ(o->GetMaxLimits(), (TLimRec{100 - 10 - 6, 50 - t - 6, 140 + 10 + 6, 70 + t + 6}));
}

TEST_F(Position, CheckFrameAndFound) {
    TBoxObj* o = Add(Tool, {100, 50}); // max limits 97..143 x 47..73
    const std::pair<TLimRec, bool> frames[] = {{{143, 73, 200, 200}, true}, // touching
                                               {{144, 0, 200, 200}, false},
                                               {{0, 0, 96, 200}, false},
                                               {{0, 74, 200, 200}, false}};
    for (auto [f, hit] : frames) EXPECT_EQ(o->CheckFrame(f), hit) << f.Xmin << "," << f.Ymin;
    EXPECT_TRUE(o->CheckFrame(TPoint{97, 73}) && !o->CheckFrame(TPoint{96, 60}));
    EXPECT_TRUE(o->CheckFrame(TRect{0, 0, 97, 47}));
    // Screen orientation with a right/bottom origin: Left/Top hold the larger values.
    ActScaleSet->SetOrigin(TOrigin::RightBottom);
    EXPECT_TRUE(o->CheckFrame(TRect{120, 60, 0, 0}) && !o->CheckFrame(TRect{96, 60, 0, 0}));

    const TLimRec at{110, 55, 111, 56};
    EXPECT_TRUE(o->Found(at));
    Tool->Generator().SetRTOptions({TRuntimeOption::roHidden});
    EXPECT_FALSE(o->Found(at) || o->GetVisible());
    EXPECT_TRUE(o->State.Contains(isVisible));
}

TEST_F(Position, ShapeRegionsInBothModes) {
    TBoxObj* o = Add(Tool, {100, 50});
    Tool->Generator().SetWidth(100);
    Tool->Generator().SetHeight(40);
    Tool->Generator().SetShape(TShapetype::stRoundRect);
    auto dev = o->CreateShapeRgn(TRgnMode::rmDev);
    ASSERT_TRUE(dev);
    EXPECT_EQ(dev->Kind(), TRegion::TKind::rkRoundRect);
    EXPECT_EQ(dev->Box(), (TRect{0, 0, 100, 40}));
    EXPECT_EQ((TPoint{dev->CornerWidth(), dev->CornerHeight()}), (TPoint{20, 20}));
    Tool->SetTag(4);
    EXPECT_EQ(o->GetDRoundRect(), 4);
    EXPECT_EQ(o->CreateShapeRgn(TRgnMode::rmDev)->CornerWidth(), 10);
    Tool->SetTag(0);
    RoundRectX3 = 0; // would divide by zero
    EXPECT_EQ(o->CreateShapeRgn(TRgnMode::rmDev)->CornerWidth(), 40);
    RoundRectX3 = 2;

    // Logical: a round square takes its corner from the width.
    Tool->Generator().SetShape(TShapetype::stRoundSquare);
    EXPECT_EQ(o->CreateShapeRgn(TRgnMode::rmLog)->CornerWidth(), 50);
    using enum TRegion::TKind;
    const std::pair<TShapetype, TRegion::TKind> kinds[] = {{TShapetype::stEllipse, rkEllipse},
                                                           {TShapetype::stSquare, rkRect}};
    for (auto [shape, kind] : kinds) {
        Tool->Generator().SetShape(shape);
        for (TRgnMode m : {TRgnMode::rmLog, TRgnMode::rmDev}) EXPECT_EQ(o->CreateShapeRgn(m)->Kind(), kind);
    }
    Tool->Generator().SetShape(TShapetype::stLine);
    EXPECT_FALSE(o->CreateShapeRgn(TRgnMode::rmLog) || o->CreateShapeRgn(TRgnMode::rmDev));

    // Device regions go through the canvas mapping (here at the object's corner).
    Tool->Generator().SetShape(TShapetype::stRectangle);
    Cv->SetMapMode(TMapMode::mmAnisotropic);
    Cv->SetWindowExt({1, 1});
    Cv->SetViewportExt({2, -2});
    EXPECT_EQ(o->CreateShapeRgn(TRgnMode::rmDev)->Box(), (TRect{0, -80, 200, 0}));

    // The application's region wins, also "no region".
    Tool->OnObjectShapeRgn = [](TvlObject*, TRgnMode m, std::optional<TRegion>& r) {
        if (m == TRgnMode::rmLog) r = TRegion::CreateEllipse({0, 0, 5, 5});
    };
    EXPECT_EQ(o->CreateShapeRgn(TRgnMode::rmLog)->Box(), (TRect{0, 0, 5, 5}));
    EXPECT_FALSE(o->CreateShapeRgn(TRgnMode::rmDev));
}

} // namespace

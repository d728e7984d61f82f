#include "point_obj_fixture.h"

using namespace vl;
using namespace vl::test;
using enum TIndividualFlag;

namespace {

using PointAngle = PointTest;
using B = std::vector<uint8_t>;
constexpr double Pi = std::numbers::pi;

TEST_F(PointAngle, SettersFoldIntoOneTurnAndNeedRotation) {
    TPointObj* o = AddPt();
    o->SetAlpha(1.0);
    o->SetAlpha_DEG(90);
    o->SetAlpha_DEG10(900);
    EXPECT_EQ(o->GetAlphaPlain(), 0); // without goRotation every setter is ignored
    EXPECT_FALSE(o->GetRotated());

    Gen().SetOptions({TGeneratorOption::goRotation});
    EXPECT_FALSE(o->GetRotated()); // angle 0 draws unrotated
    o->SetAlpha(-Pi / 2);
    EXPECT_EQ(o->GetAlphaPlain(), 4712);
    EXPECT_EQ(o->GetQuadrant(), 3); // 4.712 is just short of 3π/2
    EXPECT_NEAR(o->GetAlpha_DEG(), 269.98, 0.01);
    EXPECT_EQ(o->GetAlpha_DEG10(), 2700);
    o->SetAlpha(4 * Pi); // folds down to a full turn, not to 0
    EXPECT_EQ(o->GetAlphaPlain(), 6283);
    o->SetAlpha_DEG(450);
    EXPECT_EQ(o->GetAlphaPlain(), 1571);
    EXPECT_EQ(o->GetQuadrant(), 2); // 1.571 is just past π/2
    o->SetAlpha_DEG(-30);
    EXPECT_EQ(o->GetAlphaPlain(), 5760);
    o->SetAlpha_DEG10(3600);
    EXPECT_EQ(o->GetAlphaPlain(), 6283);
    o->SetAlpha_DEG10(-900);
    EXPECT_EQ(o->GetAlphaPlain(), 4712);
    o->SetAlphaPlain(1); // one milliradian already counts as turned
    EXPECT_TRUE(o->GetRotated());
    EXPECT_EQ(o->GetQuadrant(), 1);

    // Absurd input neither hangs nor leaves the range.
    o->SetAlpha(1e300);
    EXPECT_GE(o->GetAlphaPlain(), 0);
    EXPECT_LE(o->GetAlphaPlain(), 6283);
    o->SetAlpha_DEG(-1e200);
    EXPECT_GE(o->GetAlphaPlain(), 0);
    o->SetAlphaPlain(100);
    o->SetAlpha(std::nan(""));
    o->SetAlpha_DEG(INFINITY);
    EXPECT_EQ(o->GetAlphaPlain(), 100);
}

TEST_F(PointAngle, SlavesAttachDetachAndFollowTheirMastersAngle) {
    TPointObj* m = AddPt({100, 50});
    Gen().SetOptions({TGeneratorOption::goRotation});
    m->SetAlphaPlain(1000);
    Tool2->Generator().SetSlaveX(7);
    Tool2->Generator().SetSlaveY(-3);
    TPointObj* s = AddPt({0, 0}, Tool2);
    s->SetAlphaPlain(200);
    s->SetMaster(m);
    EXPECT_TRUE(s->IsSlave());
    EXPECT_EQ(s->GetPos(), (TPoint{107, 47}));
    EXPECT_DOUBLE_EQ(s->GetAlpha(), 0.2);
    Tool2->Generator().SetOptions({TGeneratorOption::goNoSizing});
    EXPECT_DOUBLE_EQ(s->GetAlpha(), 1.0);

    m->SetPos({200, 60});
    s->SetMaster(nullptr); // stays where it appeared
    EXPECT_FALSE(s->IsSlave());
    EXPECT_EQ(s->GetMaster(), s);
    EXPECT_EQ(s->GetPos(), (TPoint{207, 57}));
    m->SetPos({0, 0});
    EXPECT_EQ(s->GetPos(), (TPoint{207, 57}));
    EXPECT_DOUBLE_EQ(s->GetAlpha(), 0.2);
}

TEST_F(PointAngle, RotateTurnsAngleAndPositionAboutTheOrigin) {
    Gen().SetOptions({TGeneratorOption::goRotation});
    TPointObj* o = AddPt({100, 50});
    o->Rotate({100, 0}, Pi / 2);
    EXPECT_EQ(o->GetPos(), (TPoint{50, 0}));
    EXPECT_EQ(o->GetAlphaPlain(), 1571);
    // The old and the new place are both to be repainted.
    const TLimRec r = Doc->RestoreRect();
    EXPECT_EQ(r.Xmin, 40 - 5 - 3); // the turned box at (40, -5) local origin
    EXPECT_EQ(r.Ymax, 65 + 3);     // the old box
    o->Rotate(o->GetPos(), Pi / 2); // about itself: only the angle turns
    EXPECT_EQ(o->GetPos(), (TPoint{50, 0}));
    EXPECT_EQ(o->GetAlphaPlain(), 3142);
}

TEST_F(PointAngle, RotationHandleFindsTurnsAndMoves) {
    Shape(TShapetype::stRectangle, 40, 20);
    TPointObj* o = AddPt({100, 50});
    const int32_t t = ActScaleSet->GetTempFrame();
    Tool->SetCursor(crHandPoint);
    // Unrotated the handle sits on the corner (W, H).
    EXPECT_TRUE(o->SizingHandles({40 + t, 20 - t}, TSizeMode::smCheck));
    EXPECT_EQ(SizingHandle, TSizingHandle::szRotate);
    EXPECT_EQ(Box->Cursor(), crRotate);
    EXPECT_FALSE(o->SizingHandles({40 + t + 1, 20}, TSizeMode::smCheck));
    EXPECT_EQ(SizingHandle, TSizingHandle::szNone);
    EXPECT_EQ(Box->Cursor(), crArrow);
    Gen().SetOptions({TGeneratorOption::goRotation, TGeneratorOption::goFndCursor});
    o->SizingHandles({0, 0}, TSizeMode::smCheck);
    EXPECT_EQ(Box->Cursor(), crHandPoint);

    // A sizing object is found on its handle even outside its shape.
    o->SetSizing(true);
    EXPECT_TRUE(o->Found(Click({90 + 40 + t, 45 + 20 + t})));
    o->SetSizing(false);
    EXPECT_FALSE(o->Found(Click({90 + 40 + t, 45 + 20 + t})));

    // Dragging the handle: e = 40 - 10 = 30 units from the pivot.
    o->SetSizing(true);
    SizingHandle = TSizingHandle::szRotate;
    o->MovePos({0, 30});
    EXPECT_EQ(o->GetAlphaPlain(), 785);
    EXPECT_EQ(o->GetPos(), (TPoint{100, 50}));
    o->SetAlphaPlain(0);
    o->MoveRotate({-60, 0});
    EXPECT_EQ(o->GetAlphaPlain(), 3142);
    o->SetAlphaPlain(0);
    o->MoveRotate({-30, 10}); // straight down from the pivot
    EXPECT_EQ(o->GetAlphaPlain(), 1571);
    o->SetAlphaPlain(0);
    o->MoveRotate({-30, -10});
    EXPECT_EQ(o->GetAlphaPlain(), 4712);

    // Turned a quarter, the handle (40, 20) lies at (-5, 35).
    o->SetAlphaPlain(QuarterTurn);
    EXPECT_TRUE(o->SizingRotate({-5 - t, 35 + t}, TSizeMode::smCheck));
    EXPECT_FALSE(o->SizingRotate({40, 20}, TSizeMode::smCheck));
    SizingHandle = TSizingHandle::szNone;
    o->MovePos({5, 6}); // no handle dragged: an ordinary move
    EXPECT_EQ(o->GetPos(), (TPoint{105, 56}));

    Gen().SetOptions({});
    SizingHandle = TSizingHandle::szRotate;
    EXPECT_FALSE(o->SizingHandles({-5, 35}, TSizeMode::smCheck));
    EXPECT_EQ(SizingHandle, TSizingHandle::szNone);
}

TEST_F(PointAngle, HandleSitsOnTheOutlineOfRoundShapes) {
    TPointObj* o = AddPt();
    Shape(TShapetype::stEllipse, 40, 20);
    EXPECT_EQ(o->RotateHandlePos(), (TPoint{40, 10}));
    Shape(TShapetype::stRoundRect, 40, 20);
    EXPECT_EQ(o->RotateHandlePos(), (TPoint{39, 19})); // corner 10: 5·(1 − cos 45°) ≈ 1
    Shape(TShapetype::stRoundRect, 200, 100);
    EXPECT_EQ(o->RotateHandlePos(), (TPoint{193, 93})); // 25·(1 − cos 45°) ≈ 7
    // Drawn as a circle of the handle size around its centre.
    const int32_t t = ActScaleSet->GetTempFrame();
    EXPECT_FALSE(o->SizingRotate({}, TSizeMode::smShape));
    const auto rs = Records();
    EXPECT_EQ(EmfRect(*Last(rs, emr::ELLIPSE)), (TRect{193 - t, 93 - t, 193 + t, 93 + t}));
}

// Class 1, ObjID 1, visible, at (100, 50), then the angle 4712 (−π/2).
const B Record{1, 0, 1, 0, 1, 0, 100, 0, 0, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x68, 0x12};

TEST_F(PointAngle, AngleIsStoredAfterTheBaseRecord) {
    Gen().SetOptions({TGeneratorOption::goRotation});
    TPointObj* o = AddPt();
    o->SetAlpha(-Pi / 2);
    TMemoryStream s;
    o->SaveToStream(s);
    EXPECT_EQ(s.Bytes(), Record);
    TMemoryStream c;
    o->Persist(&c, TPstMode::pstCopy);
    EXPECT_EQ(c.Bytes(), Record);
    o->Persist(nullptr, TPstMode::pstConnect); // nothing to read or write

    for (TPstMode m : {TPstMode::pstLoad, TPstMode::pstPaste}) {
        TMemoryStream r(B(Record.begin() + 2, Record.end()));
        TPointObj back(Tool);
        back.Persist(&r, m);
        EXPECT_EQ(back.GetAlphaPlain(), 4712);
        EXPECT_EQ(r.Remaining(), 0);
    }

    // Before 0x2004 there is no angle field.
    FileHeader.Velloran = -0x2003;
    B old(Record.begin() + 2, Record.end() - 2);
    old.insert(old.begin() + 2, {0, 0}); // 32-bit identity then
    TMemoryStream r(old);
    TPointObj back(Tool);
    back.SetAlphaPlain(5);
    back.LoadFromStream(r);
    EXPECT_EQ(r.Remaining(), 0);
    EXPECT_EQ(back.GetAlphaPlain(), 5);
    EXPECT_EQ(back.GetPos(), (TPoint{100, 50}));
    FileHeader.Velloran = -0x2004;
    B v2004(Record.begin() + 2, Record.end());
    v2004.insert(v2004.begin() + 2, {0, 0}); // still a 32-bit identity
    TMemoryStream r3(v2004);
    back.LoadFromStream(r3);
    EXPECT_EQ(back.GetAlphaPlain(), 4712);
}

TEST_F(PointAngle, TruncatedRecordsFailWithReadErrors) {
    for (size_t n = 2; n < Record.size(); ++n) {
        TMemoryStream s(B(Record.begin() + 2, Record.begin() + static_cast<long>(n)));
        TPointObj r(Tool);
        EXPECT_THROW(r.LoadFromStream(s), EReadError) << n;
    }
}

} // namespace

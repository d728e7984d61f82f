#include <cmath>
#include <functional>
#include <numbers>

#include "point_obj_fixture.h"
#include "support/file_headers.h"

using namespace vl;
using namespace vl::test;

namespace {

using PointAngle = PointTest;
using B = std::vector<uint8_t>;
constexpr double Pi = std::numbers::pi;

TEST_F(PointAngle, SettersFoldIntoOneTurnOnlyWithRotation) {
    O->SetAlpha(1.0);
    EXPECT_EQ(O->GetAlphaPlain(), 0);
    Gen().SetOptions({TGeneratorOption::goRotation});
    EXPECT_FALSE(O->GetRotated()); // angle 0 draws unturned
    // A full turn stays a full turn, not 0; NaN leaves the angle alone;
    // absurd values neither hang nor leave the range.
    const std::pair<std::function<void()>, int16_t> cases[] = {
        {[&] { O->SetAlpha(-Pi / 2); }, 4712},      {[&] { O->SetAlpha(4 * Pi); }, 6283},
        {[&] { O->SetAlpha_DEG(450); }, 1571},      {[&] { O->SetAlpha_DEG10(3600); }, 6283},
        {[&] { O->SetAlpha(std::nan("")); }, 6283}, {[&] { O->SetAlpha(1e300); }, -1},
        {[&] { O->SetAlpha_DEG(-1e200); }, -1}};
    for (const auto& [set, want] : cases) {
        set();
        if (want >= 0) {
            EXPECT_EQ(O->GetAlphaPlain(), want);
        }
        EXPECT_TRUE(O->GetAlphaPlain() >= 0 && O->GetAlphaPlain() <= 6283);
    }
    O->SetAlpha(-Pi / 2);
    EXPECT_EQ(O->GetQuadrant(), 3); // 4.712 is just short of 3π/2
    O->SetAlphaPlain(1); // one milliradian already turns
    EXPECT_TRUE(O->GetRotated());
}

TEST_F(PointAngle, SlavesFollowTheirMasterAndStayWhereTheyAppearWhenDetached) {
    Gen().SetOptions({TGeneratorOption::goRotation});
    O->SetAlphaPlain(1000);
    Tool2->Generator().SetSlaveX(7);
    Tool2->Generator().SetSlaveY(-3);
    TPointObj s(Tool2);
    s.SetAlphaPlain(200);
    s.SetMaster(O.get());
    EXPECT_EQ(s.GetPos(), (TPoint{107, 47}));
    EXPECT_DOUBLE_EQ(s.GetAlpha(), 0.2);
    Tool2->Generator().SetOptions({TGeneratorOption::goNoSizing});
    EXPECT_DOUBLE_EQ(s.GetAlpha(), 1.0);
    O->SetPos({200, 60});
    s.SetMaster(nullptr);
    O->SetPos({0, 0});
    EXPECT_EQ(s.GetMaster(), &s);
    EXPECT_EQ(s.GetPos(), (TPoint{207, 57}));
}

TEST_F(PointAngle, RotateAndTheRotationHandle) {
    Shape(TShapetype::stRectangle);
    O->Rotate({100, 0}, Pi / 2);
    EXPECT_EQ(O->GetPos(), (TPoint{50, 0}));
    EXPECT_EQ(O->GetAlphaPlain(), 1571);
    EXPECT_EQ(Doc->RestoreRect(), (TLimRec{32, -13, 133, 68})); // old and new place
    O->Rotate(O->GetPos(), Pi / 2);                             // about itself only the angle turns
    EXPECT_EQ(O->GetPos(), (TPoint{50, 0}));
    EXPECT_EQ(O->GetAlphaPlain(), 3142);

    // Turned a quarter about (10, 5), the handle on corner (40, 20) is at (-5, 35).
    const int32_t t = ActScaleSet->GetTempFrame();
    O->SetAlphaPlain(QuarterTurn);
    EXPECT_TRUE(O->SizingHandles({-5 - t, 35 + t}, TSizeMode::smCheck));
    EXPECT_TRUE(SizingHandle == TSizingHandle::szRotate && Box->Cursor() == crRotate);
    EXPECT_FALSE(O->SizingHandles({40, 20}, TSizeMode::smCheck));
    EXPECT_TRUE(SizingHandle == TSizingHandle::szNone && Box->Cursor() == crArrow);

    // Dragging it: the handle lies e = 30 from the pivot.
    O->SetAlphaPlain(0);
    O->SetSizing(true);
    TSizingHandleScope rotating(TSizingHandle::szRotate);
    O->MovePos({0, 30});
    EXPECT_EQ(O->GetAlphaPlain(), 785);
    EXPECT_EQ(O->GetPos(), (TPoint{50, 0}));
    // Back past the pivot: the other half turn; then straight up.
    const std::pair<TPoint, int16_t> drags[] = {{{-60, -30}, 3142 + 785}, {{-30, -10}, 4712}};
    for (auto [to, want] : drags) {
        O->SetAlphaPlain(0);
        O->MoveRotate(to);
        EXPECT_EQ(O->GetAlphaPlain(), want);
    }
    // Rounded shapes carry the handle on the corner arc.
    Shape(TShapetype::stRoundRect, 200, 100);
    EXPECT_EQ(O->RotateHandlePos(), (TPoint{193, 93}));
}

// Class 1, ObjID 0, visible, at (100, 50), then the angle 4712 (−π/2).
const B Record{1, 0, 0, 0, 1, 0, 100, 0, 0, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x68, 0x12};

TEST_F(PointAngle, AngleFollowsTheBaseRecordFromVersion2004) {
    O->SetAlphaPlain(4712);
    TMemoryStream s;
    O->SaveToStream(s);
    EXPECT_EQ(s.Bytes(), Record);
    O->Persist(nullptr, TPstMode::pstConnect);
    for (TPstMode m : {TPstMode::pstLoad, TPstMode::pstPaste}) {
        TMemoryStream r(B(Record.begin() + 2, Record.end()));
        TPointObj back(Tool);
        back.Persist(&r, m);
        EXPECT_EQ(back.GetAlphaPlain(), 4712);
    }
    ExpectTruncationsFail<TPointObj>(Tool, Record);
    // Identities were 32 bits then; 0x2003 has no angle, 0x2004 has one.
    B old(Record.begin() + 2, Record.end());
    old.insert(old.begin() + 2, {0, 0});
    for (int16_t v : {0x2003, 0x2004}) {
        TFileHeaderScope version(FormatVersion(v));
        TMemoryStream r(old);
        TPointObj back(Tool);
        back.LoadFromStream(r);
        EXPECT_EQ(back.GetAlphaPlain(), v == 0x2004 ? 4712 : 0);
        EXPECT_EQ(r.Remaining(), v == 0x2004 ? 0 : 2);
    }
}

} // namespace

// Objects stored at the far ends of the 32-bit range: every box, region and
// origin computed from them saturates instead of wrapping.

#include <cmath>

#include "point_obj_fixture.h"
#include "velloran/foundations/stream.h"
#include "velloran/scale/shadows.h"

using namespace vl;
using namespace vl::test;

namespace {

using B = std::vector<uint8_t>;
constexpr int32_t Lo = INT32_MIN, Hi = INT32_MAX;

// A point object's record after its class number: visible at (x, y), angle a.
B PointRecord(int32_t x, int32_t y, int16_t a) { return TBytes{}.i16(0).i16(1).i32(x).i32(y).i32(0).i32(0).i16(a).v; }

class FarCoordinates : public PointTest {
protected:
    void SetUp() override {
        PointTest::SetUp();
        Shape(TShapetype::stRoundRect, 40, 20, {TGeneratorOption::goRotation, TGeneratorOption::goShadows});
        Box->Shadows().SetdX(-10);
        Gen().SetPen({clBlue, 1000, TPenStyle::psSolid, TPenMode::pmCopy});
    }
    std::unique_ptr<TPointObj> Load(int32_t x, int32_t y, int16_t a) {
        TMemoryStream s(PointRecord(x, y, a));
        auto o = std::make_unique<TPointObj>(Tool);
        o->Persist(&s, TPstMode::pstLoad);
        EXPECT_EQ(s.Remaining(), 0);
        return o;
    }
    // Everything that computes from the position, drawing included.
    static void Exercise(TPointObj& o) {
        (void)o.GetRect();
        (void)o.GetExtent();
        (void)o.CreateShapeRgn(TRgnMode::rmDev);
        (void)o.CreateShapeRgn(TRgnMode::rmLog);
        (void)o.Found(Click(Hi - 1, Lo));
        o.Show();
    }
};

TEST_F(FarCoordinates, BoxesSaturateAtTheLimits) {
    for (int16_t angle : {int16_t{0}, QuarterTurn}) {
        SCOPED_TRACE(angle);
        auto high = Load(Hi, Hi, angle);
        Exercise(*high);
        EXPECT_EQ(high->GetMaxX(), Hi);
        EXPECT_EQ(high->GetLimits().Ymax, Hi);
        EXPECT_EQ(high->GetMaxLimits().Xmax, Hi);
        if (angle == 0) {
            EXPECT_EQ(high->GetRect().Right, Hi);
        }

        auto low = Load(Lo, Lo, angle);
        Exercise(*low);
        EXPECT_EQ(low->GetMinX(), Lo);
        EXPECT_EQ(low->GetMinY(), Lo);
        EXPECT_EQ(low->GetMaxLimits().Ymin, Lo);
        EXPECT_LE(low->GetLimits().Xmin, low->GetLimits().Xmax);
    }
    // Valid positions keep their exact boxes.
    auto near = Load(Hi - 100, Lo + 100, 0);
    EXPECT_EQ(near->GetLimits(), (TLimRec{Hi - 110, Lo + 95, Hi - 70, Lo + 115}));
}

TEST_F(FarCoordinates, MovesAndSlavesStopAtTheLimits) {
    TBoxObj* m = Add(Tool, {Hi - 5, Lo + 5});
    TBoxObj* s = AddSlave(Tool2, m, 100, -100);
    EXPECT_EQ(s->GetPos(), (TPoint{Hi, Lo}));
    EXPECT_EQ(s->GetMaxX(), Hi);
    m->MovePos({Hi, Lo});
    EXPECT_EQ(m->GetPos(), (TPoint{Hi, Lo})) << "no jump to the other side";
    // A slave's 16-bit offset takes whatever is left of such moves (the
    // sanitizer preset checks that computing it is defined).
    s->MovePos({Hi, Lo});
    s->SetPos({Lo, Hi});
    s->SetX(Lo);
}

} // namespace

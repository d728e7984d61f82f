#pragma once
// Point objects on the object test form: a box with the hot spot at (10, 5),
// placed at (100, 50), so the box's local origin lies at (90, 45).

#include "object_fixture.h"
#include "velloran/objects/point_obj.h"

namespace vl::test {

// A click on an absolute point.
inline TLimRec Click(int32_t x, int32_t y) {
    return {x, y, x + 1, y + 1};
}

class PointTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        Gen().SetHotspotX(10);
        Gen().SetHotspotY(5);
        Gen().SetPen({clBlue, 1, TPenStyle::psSolid, TPenMode::pmCopy});
        Gen().SetBrush({clGreen, TBrushStyle::bsSolid});
        O = std::make_unique<TPointObj>(Tool);
        O->SetPos({100, 50});
        O->SetVisible(true);
    }
    TCustomGenerator& Gen() { return Tool->Generator(); }
    void Shape(TShapetype s, int32_t w = 40, int32_t h = 20,
               TGeneratorOptions o = {TGeneratorOption::goRotation}) {
        Gen().SetShape(s);
        Gen().SetWidth(w);
        Gen().SetHeight(h);
        Gen().SetOptions(o);
    }
    static constexpr int16_t QuarterTurn = 1571; // milliradians
    std::unique_ptr<TPointObj> O;
};

} // namespace vl::test

#pragma once
// Point objects on the object test form: a 40 x 20 box with the hot spot at
// (10, 5), placed at (100, 50), so the box's local origin lies at (90, 45).

#include <cmath>
#include <numbers>

#include "object_fixture.h"
#include "velloran/objects/point_obj.h"

namespace vl::test {

class PointTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        Gen().SetHotspotX(10);
        Gen().SetHotspotY(5);
    }
    TCustomGenerator& Gen() { return Tool->Generator(); }
    TPointObj* AddPt(TPoint p = {100, 50}, TvlCreator* c = nullptr) {
        auto o = std::make_unique<TPointObj>(c ? c : Tool);
        o->Count();
        o->SetPos(p);
        o->SetVisible(true);
        Doc->Objects.push_back(std::move(o));
        return static_cast<TPointObj*>(Doc->Objects.back().get());
    }
    void Shape(TShapetype s, int32_t w, int32_t h, bool rotation = true) {
        Gen().SetShape(s);
        Gen().SetWidth(w);
        Gen().SetHeight(h);
        Gen().SetOptions(rotation ? TGeneratorOptions{TGeneratorOption::goRotation} : TGeneratorOptions{});
    }
    // A click on the absolute point p.
    static TLimRec Click(TPoint p) { return {p.X, p.Y, p.X + 1, p.Y + 1}; }
    static const TEmfRecord* First(const std::vector<TEmfRecord>& rs, uint32_t type) {
        for (const auto& r : rs)
            if (r.Type() == type) return &r;
        return nullptr;
    }
    static const TEmfRecord* Polygon(const std::vector<TEmfRecord>& rs) {
        const TEmfRecord* p = Last(rs, emr::POLYGON16);
        return p ? p : Last(rs, emr::POLYGON);
    }
    static constexpr int16_t QuarterTurn = 1571; // milliradians
};

} // namespace vl::test

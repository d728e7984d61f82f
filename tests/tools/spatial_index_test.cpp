// The layer's index against the plain walk: random edits interleaved with
// area searches, every answer compared with the linear one.

#include <random>
#include <vector>

#include "tool_fixture.h"
#include "velloran/objects/layer.h"
#include "velloran/objects/line_obj.h"
#include "velloran/objects/point_obj.h"
#include "velloran/tools/custom_lines.h"

namespace vl::test {
namespace {

class SpatialIndexTest : public PointsTest {
protected:
    SpatialIndexTest() {
        Big = AddTool<TvlPoints>();
        Big->Generator().SetWidth(300);
        Big->Generator().SetHeight(40);
        Big->Generator().SetZOrder(2);
        Big->Generator().SetOptions({TGeneratorOption::goRotation});
        Points->Generator().SetWidth(6);
        Points->Generator().SetHeight(6);
        Points->Generator().SetZOrder(1);
    }
    int Rand(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(Rng); }
    TLimRec RandomArea() {
        const int x = Rand(-200, 2200), y = Rand(-200, 2200);
        return {x, y, x + Rand(0, 400), y + Rand(0, 300)};
    }
    std::vector<TvlObject*> Linear(const TLimRec& Area) {
        std::vector<TvlObject*> v;
        Doc->AllObjects([&](TvlObject* o) {
            if (o->CheckFrame(Area)) v.push_back(o);
        });
        return v;
    }
    std::vector<TvlObject*> Indexed(const TLimRec& Area) {
        std::vector<TvlObject*> v;
        Doc->AllObjectsIn(Area, [&](TvlObject* o) {
            if (o->CheckFrame(Area)) v.push_back(o);
        });
        return v;
    }
    TvlObject* Any() { return Doc->Count() ? Doc->At(Rand(0, Doc->Count() - 1)) : nullptr; }

    TvlPoints* Big = nullptr;
    TvlLines* Lines = AddTool<TvlLines>();
    std::mt19937 Rng{12};
};

TEST_F(SpatialIndexTest, RandomEditsAnswerLikeTheLinearWalk) {
    for (int i = 0; i < 300; ++i) Points->SetNewObj({Rand(0, 2000), Rand(0, 2000)});
    int hits = 0, lines = 0;
    for (int step = 0; step < 4000; ++step) {
        TvlObject* o = Any();
        switch (Rand(0, 10)) {
        case 0: (Rand(0, 3) ? Points : Big)->SetNewObj({Rand(-100, 2100), Rand(-100, 2100)}); break;
        case 1: if (o) o->MovePos({Rand(-300, 300), Rand(-300, 300)}); break;
        case 2: if (o) o->SetPos({Rand(0, 2000), Rand(0, 2000)}); break;
        case 3: if (o) o->Rotate({Rand(0, 2000), Rand(0, 2000)}, Rand(1, 6) * 0.5); break;
        case 4: if (o) o->SetSizing(!o->GetSizing()); break;
        case 5: if (o) Doc->Erase(o); break;
        case 6: if (o) Doc->BringToFront(o, Rand(0, 1) == 1); break;
        case 7: if (o) Doc->SendToBack(o, Rand(0, 1) == 1); break;
        case 8:
            // A shared style change moves every object of the creator at once.
            if (Rand(0, 20) == 0) Points->Generator().SetWidth(Rand(2, 30));
            break;
        case 9:
            // Lines: two clicks make one; its second end moves on its own.
            if (auto* l = dynamic_cast<TLineObj*>(o); l && Rand(0, 1))
                l->SetPos2({Rand(0, 2000), Rand(0, 2000)});
            else {
                Lines->SetNewObj({Rand(0, 2000), Rand(0, 2000)});
                lines += Lines->SetNewObj({Rand(0, 2000), Rand(0, 2000)}) != nullptr;
            }
            break;
        default: break;
        }
        const TLimRec area = RandomArea();
        ASSERT_EQ(Indexed(area), Linear(area)) << "step " << step;
        const int start = Doc->Count() ? Rand(0, Doc->Count() - 1) : 0;
        auto hit = [&](TvlObject* c) { return c->Found(area); };
        Doc->SetStartIndex({start, 0});
        TvlObject* fast = Doc->FirstObjectIn(area, hit);
        Doc->SetStartIndex({start, 0});
        ASSERT_EQ(fast, Doc->FirstObjectWith(hit)) << "step " << step;
        Doc->SetStartIndex({start, 0});
        fast = Doc->LastObjectIn(area, hit);
        Doc->SetStartIndex({start, 0});
        ASSERT_EQ(fast, Doc->LastObjectWith(hit)) << "step " << step;
        hits += fast != nullptr;
        if (step % 500 == 0) {
            Host->InvalidateAll();
            Host->Paint();
        }
    }
    // The areas were not all empty.
    EXPECT_GT(hits, 400);
    EXPECT_GT(lines, 100);
}

TEST_F(SpatialIndexTest, StoredLimitsFollowEveryChange) {
    auto* o = static_cast<TPointObj*>(Big->SetNewObj({100, 100}));
    auto check = [&] { EXPECT_EQ(o->StoredLimits(), o->GetMaxLimits()); };
    o->MovePos({7, -3});
    check();
    o->SetAlpha_DEG(30);
    check();
    o->SetSizing(true);
    check();
    Doc->UnmarkAll();
    o->SetSizing(false);
    check();
    // A style change is caught when the index is next asked.
    Big->Generator().SetHeight(90);
    EXPECT_EQ(Indexed(o->GetMaxLimits()), std::vector<TvlObject*>{o});
}

TEST_F(SpatialIndexTest, ZOrderAndListOrderSurviveRestacking) {
    TvlObject* a = Points->SetNewObj({10, 10});
    TvlObject* b = Big->SetNewObj({0, 0});
    TvlObject* c = Points->SetNewObj({12, 12});
    const TLimRec at{12, 12, 13, 13};
    Doc->SendToBack(c, false);
    EXPECT_EQ(Indexed(at), Linear(at));
    EXPECT_EQ(Doc->FirstObjectIn(at, [](TvlObject*) { return true; }), c);
    Doc->Erase(c);
    EXPECT_EQ(Indexed(at), (std::vector<TvlObject*>{b, a}));
}

} // namespace
} // namespace vl::test

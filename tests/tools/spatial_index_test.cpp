// The layer's index against the plain walk: random edits interleaved with
// area searches, every answer compared with the linear one.

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

#include "tool_fixture.h"
#include "velloran/document/undo_manager.h"
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

// A drawing of thousands is packed once it is searched; edits leave holes
// and hashed cells until it is packed again. Crowded symbols are packed in
// finer cells than scattered ones, and a far-off object that would spread
// the cells thin keeps everything hashed.
TEST_F(SpatialIndexTest, PackedAndHashedCellsAnswerAlike) {
    int spread = 2000;
    auto at = [&] { return TPoint{Rand(0, spread), Rand(0, spread)}; };
    for (int i = 0; i < 3000; ++i) Points->SetNewObj(at());
    auto check = [&](int step) {
        const TLimRec area = RandomArea();
        ASSERT_EQ(Indexed(area), Linear(area)) << "step " << step;
        const TPoint p = at();
        const TLimRec spot{p.X, p.Y, p.X + 1, p.Y + 1};
        auto hit = [&](TvlObject* c) { return c->Found(spot); };
        ASSERT_EQ(Doc->LastObjectIn(spot, hit), Doc->LastObjectWith(hit)) << "step " << step;
    };
    TvlObject* far = nullptr;
    for (int step = 0; step < 6000; ++step) {
        TvlObject* o = Any();
        switch (Rand(0, 5)) {
        case 0: if (o) o->MovePos({Rand(-300, 300), Rand(-300, 300)}); break;
        case 1: if (o && o != far) Doc->Erase(o); break;
        case 2: if (o) Doc->SendToBack(o, false); break;
        case 3: Points->SetNewObj(at()); break;
        default: break;
        }
        if (step == 2000) {
            spread = 12000;
            for (int32_t i = 0; i < Doc->Count(); ++i) Doc->At(i)->SetPos(at());
        }
        if (step == 4000) far = Big->SetNewObj({3'000'000, -3'000'000});
        if (step == 5000) Doc->Erase(std::exchange(far, nullptr));
        check(step);
    }
}

// Labels hang on symbols, symbols and lines; lines hang between symbols.
// Their masters move, size, turn, go and come back by undo, and every
// object must be found wherever it now lies.
TEST_F(SpatialIndexTest, DependantsAreFiledWhereTheirMastersTakeThem) {
    auto* labels = AddTool<TvlPoints>();
    labels->Generator().SetWidth(30);
    labels->Generator().SetHeight(8);
    // A label without sizing turns with its master.
    labels->Generator().SetOptions({TGeneratorOption::goRotation, TGeneratorOption::goNoSizing});
    Doc->SetUndoFunction(TUndo{TUndoOptions::unMove, TUndoOptions::unDelete});
    Doc->SetUndoSteps(30);
    Doc->Loaded();
    auto masters = [&] {
        std::vector<TvlObject*> v;
        for (int32_t i = 0; i < Doc->Count(); ++i)
            if (TvlObject* o = Doc->At(i); o->Tool() != labels && !o->IsSlave()) v.push_back(o);
        return v;
    };
    auto anyMaster = [&]() -> TvlObject* {
        const std::vector<TvlObject*> v = masters();
        return v.empty() ? nullptr : v[static_cast<size_t>(Rand(0, static_cast<int>(v.size()) - 1))];
    };
    auto digest = [&] {
        auto d = static_cast<uint64_t>(Doc->Count());
        for (int32_t i = 0; i < Doc->Count(); ++i)
            d = d * 31 + static_cast<uint64_t>(Doc->At(i)->GetX()) * 7 + static_cast<uint64_t>(Doc->At(i)->GetY());
        return d;
    };
    auto line = [&](TvlObject* a, TvlObject* b) {
        Lines->SetNewObj({Rand(0, 2000), Rand(0, 2000)});
        if (auto* l = static_cast<TLineObj*>(Lines->SetNewObj({Rand(0, 2000), Rand(0, 2000)}))) {
            l->SetMaster(a);
            if (b) l->SetMaster2(b);
            return l;
        }
        return static_cast<TLineObj*>(nullptr);
    };
    for (int i = 0; i < 60; ++i) {
        TvlObject* m = (i % 3 ? Points : Big)->SetNewObj({Rand(0, 2000), Rand(0, 2000)});
        labels->CreateSlaveAt(m, Rand(-50, 50), Rand(-50, 50));
    }
    int undone = 0;
    for (int step = 0; step < 1500; ++step) {
        TvlObject* m = anyMaster();
        if (!m) break;
        auto* l = dynamic_cast<TLineObj*>(m);
        switch (Rand(0, 9)) {
        case 0: m->MovePos({Rand(-300, 300), Rand(-300, 300)}); break;
        case 1:
            Doc->UnmarkAll();
            Doc->Select(m);
            Box->MoveObjects({Rand(-300, 300), Rand(-300, 300)});
            break;
        case 2: m->Rotate(m->GetPos(), Rand(1, 6) * 0.5); break;
        case 3:
            if (l)
                l->SetPos2({Rand(0, 2000), Rand(0, 2000)});
            else if (Rand(0, 10) == 0)
                Points->Generator().SetWidth(Rand(2, 30));
            break;
        case 4: {
            const auto before = digest();
            Doc->Undo();
            undone += digest() != before;
            break;
        }
        case 5:
            Doc->UnmarkAll();
            Doc->Select(m);
            Doc->DeleteObjects();
            break;
        case 6: labels->CreateSlaveAt(m, Rand(-50, 50), Rand(-50, 50)); break;
        case 7:
            if (TvlObject* other = anyMaster(); other && !l) {
                TLineObj* made = line(m, Rand(0, 1) ? other : nullptr);
                if (made && Rand(0, 1)) labels->CreateSlaveAt(made, 5, 5);
            }
            break;
        case 8:
            // A label let go stays where it is and is filed there.
            for (int32_t i = 0; i < Doc->Count(); ++i)
                if (TvlObject* o = Doc->At(i); o->IsSlave() && o->GetMaster() == m) {
                    o->SetMaster(Rand(0, 1) ? nullptr : anyMaster());
                    break;
                }
            break;
        default:
            (Rand(0, 1) ? Points : Big)->SetNewObj({Rand(0, 2000), Rand(0, 2000)});
            break;
        }
        for (int32_t i = 0; i < Doc->Count(); ++i) {
            TvlObject* o = Doc->At(i);
            const std::vector<TvlObject*> found = Indexed(o->GetMaxLimits());
            ASSERT_NE(std::find(found.begin(), found.end(), o), found.end()) << "step " << step << ", object " << i;
        }
        const TLimRec area = RandomArea();
        ASSERT_EQ(Indexed(area), Linear(area)) << "step " << step;
    }
    EXPECT_GT(undone, 20);
    EXPECT_GT(Doc->Count(), 60);
}

} // namespace
} // namespace vl::test

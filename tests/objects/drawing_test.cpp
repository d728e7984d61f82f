#include "support/alloc_counter.h"
#include "object_fixture.h"
#include "velloran/platform/null_canvas.h"

using namespace vl;
using namespace vl::test;
using enum TIndividualFlag;

namespace {

using Drawing = ObjectTest;

std::vector<int32_t> Values(const std::vector<TEmfRecord>& rs, uint32_t type, size_t offset) {
    std::vector<int32_t> v;
    for (const auto& r : rs)
        if (r.Type() == type) v.push_back(r.Int(offset));
    return v;
}

TEST_F(Drawing, ShowDrawsAtTheObjectsCornerWithTheGeneratorsTools) {
    TBoxObj* o = Add(Tool, {100, 50});
    Tool->Generator().SetPen({clBlue, 2, TPenStyle::psDash, TPenMode::pmXor});
    Tool->Generator().SetBrush({clGreen, TBrushStyle::bsSolid});
    o->Show();
    const auto rs = Records();
    EXPECT_EQ(Values(rs, emr::SETWINDOWORGEX, 8), (std::vector<int32_t>{-100}));
    EXPECT_EQ(Values(rs, emr::SETWINDOWORGEX, 12), (std::vector<int32_t>{-50}));
    EXPECT_EQ(EmfRect(*Last(rs, emr::RECTANGLE)), (TRect{0, 0, 40, 20}));
    const TEmfRecord& p = *Last(rs, emr::CREATEPEN); // style, width, colour
    EXPECT_EQ((std::vector<int32_t>{p.Int(12), p.Int(16), p.Int(24)}), (std::vector<int32_t>{1, 2, clBlue}));
    EXPECT_EQ(Last(rs, emr::CREATEBRUSHINDIRECT)->Int(16), clGreen);
    EXPECT_EQ(Last(rs, emr::SETROP2)->Int(8), 7); // the generator's xor pen
    // A plain object cannot draw the generator's picture.
    Tool->Generator().Picture().SetGraphic(std::make_unique<TBitmap>(2, 2));
    EXPECT_THROW(o->Draw(), Exception);
}

TEST_F(Drawing, ShadowFirstAtTheOffsetCornerInTheShadowBrush) {
    TBoxObj* o = Add(Tool, {100, 50});
    Tool->Generator().SetOptions({TGeneratorOption::goShadows});
    Tool->Generator().SetBrush({clYellow, TBrushStyle::bsSolid});
    Box->Shadows().SetBrush({clGray, TBrushStyle::bsSolid});
    o->Show();
    const auto rs = Records();
    EXPECT_EQ(Values(rs, emr::SETWINDOWORGEX, 8), (std::vector<int32_t>{-110, -100}));
    EXPECT_EQ(Values(rs, emr::SETWINDOWORGEX, 12), (std::vector<int32_t>{-57, -50}));
    EXPECT_EQ(Values(rs, emr::CREATEBRUSHINDIRECT, 16), (std::vector<int32_t>{clGray, clYellow}));
    EXPECT_EQ(Values(rs, emr::RECTANGLE, 8).size(), 2u);
}

TEST_F(Drawing, MarkAndSizingHandlesInTheMarkColour) {
    struct THandles : TBoxObj {
        using TBoxObj::TBoxObj;
        bool SizingHandles(TPoint, TSizeMode m) override {
            if (m == TSizeMode::smShape) Canvas().Ellipse({0, 0, 3, 3});
            return false;
        }
    };
    Doc->Objects.push_back(std::make_unique<THandles>(Tool));
    TvlObject* o = Doc->Objects.back().get();
    Box->SetclMarkPen(clLime);
    o->State.Include(isMarked).Include(isSizing);
    o->Show();
    const auto rs = Records();
    EXPECT_EQ(Types(rs, {emr::RECTANGLE, emr::ELLIPSE}),
              (std::vector<uint32_t>{emr::RECTANGLE, emr::RECTANGLE, emr::ELLIPSE}));
    EXPECT_EQ(Last(rs, emr::CREATEPEN)->Int(24), clLime);
    // Clear brush for the mark, then solid in the mark colour for the handles.
    EXPECT_EQ(Values(rs, emr::CREATEBRUSHINDIRECT, 12), (std::vector<int32_t>{0, 1, 0}));
    EXPECT_EQ(Last(rs, emr::CREATEBRUSHINDIRECT)->Int(16), clLime);
}

TEST_F(Drawing, SelectionAndRepaintAreas) {
    TBoxObj* a = Add(Tool, {0, 0});
    TBoxObj* b = Add(Tool, {100, 50});
    a->Invalidate();
    b->Invalidate();
    EXPECT_EQ(Doc->RestoreRect(), (TLimRec{-3, -3, 143, 73}));
    Doc->InitRestoreRect();

    THeadlessWindowHost host(Box);
    a->Mark(); // not selected yet: selects, then the document marks all
    EXPECT_TRUE(a->GetSelected() && a->State.Contains(isMarked));
    b->SetSelected(true);
    EXPECT_EQ(Marked(), (std::vector<TvlObject*>{a, b}));
    a->SetSelected(false); // a marked object's area is repainted
    EXPECT_FALSE(a->State.Contains(isMarked));
    ASSERT_EQ(host.Invalidations().size(), 1u);
    EXPECT_EQ(host.Invalidations()[0].Rect, (TRect{-3, -3, 43, 23}));
    b->Hide(); // repaints at once and unselects
    EXPECT_TRUE(Marked().empty());
    EXPECT_EQ(host.Invalidations()[1].Rect, (TRect{97, 47, 143, 73}));

    a->SetSizing(true);
    {
        TSizingHandleScope dragging(TSizingHandle::szX1Y1);
        a->SetSizing(false);
    }
    EXPECT_EQ(SizingHandle, TSizingHandle::szNone);
    EXPECT_EQ(Doc->RestoreRect().Xmin, -3 - ActScaleSet->GetTempFrame());
    Tool->Generator().SetOptions({TGeneratorOption::goNoSizing});
    a->SetSizing(true);
    EXPECT_FALSE(a->GetSizing());
}

TEST_F(Drawing, MovingHonoursOptions) {
    TBoxObj* m = Add(Tool, {100, 50});
    TBoxObj* s = AddSlave(Tool2, m, 5, 5);
    m->StartMove();
    EXPECT_TRUE(ActScaleSet->State.Contains(TScaleFlag::scMovingObjects));
    m->MovePos({10, 20});
    s->MovePos({1, 1});
    EXPECT_EQ(s->GetPos(), (TPoint{116, 76}));
    Tool->Generator().SetOptions({TGeneratorOption::goNoHorzMove});
    m->MovePos({10, 20});
    EXPECT_EQ(m->GetPos(), (TPoint{110, 90}));
    s->State.Include(isCantMove);
    s->MovePos({1, 1});
    s->EndMove();
    EXPECT_EQ(s->Pos.RelX, 6);
    EXPECT_FALSE(s->State.Contains(isCantMove) || ActScaleSet->State.Contains(TScaleFlag::scMovingObjects));
}

TEST_F(Drawing, DependantsFollowTheirMasterSelection) {
    TBoxObj* m = Add(Tool, {0, 0});
    TBoxObj* s = AddSlave(Tool2, m, 0, 0);
    m->SetSelected(true);
    EXPECT_EQ(s->Involved(TInvolve::invMove), 0);
    EXPECT_TRUE(s->GetSelected() && s->State.Contains(isCantMove));
    // Copied only with its master; deleted only when its master goes.
    for (bool master : {false, true}) {
        m->SetSelected(master);
        s->Involved(TInvolve::invCopy);
        EXPECT_EQ(s->GetSelected(), master);
        s->SetSelected(true);
        s->Involved(TInvolve::invDelete);
        s->CanDelete(); // a slave whose master stays is unselected instead
        EXPECT_EQ(s->GetSelected(), master);
        EXPECT_EQ(s->State.Contains(isDeleted), master);
    }
}

TEST_F(Drawing, HitTestAndPaintAllocateNothingButTheRegion) {
    TNullCanvas null;
    Box->ScaleSetting().SetCanvas(&null);
    TBoxObj* m = Add(Tool, {100, 50});
    TBoxObj* s = AddSlave(Tool2, m, 5, 5);
    Tool->Generator().SetOptions({TGeneratorOption::goShadows});
    Tool->Generator().SetShape(TShapetype::stRoundRect);
    s->State.Include(isMarked).Include(isSizing);
    m->Show();
    s->Show(); // first draws may grow canvas state; measure the next ones
    const long before = vl::test::GAllocations;
    for (int i = 0; i < 3; ++i) {
        m->Show();
        s->Show();
        m->Print();
        EXPECT_TRUE(m->Found({110, 55, 111, 56}) && s->Found({110, 60, 111, 61}));
        (void)m->CreateShapeRgn(TRgnMode::rmLog);
        (void)m->CreateShapeRgn(TRgnMode::rmDev);
        m->Invalidate();
    }
    EXPECT_EQ(vl::test::GAllocations - before, 0);
    auto probe = std::make_unique<int>(0); // the counter does see allocations
    EXPECT_EQ(vl::test::GAllocations - before, 1);
}

} // namespace

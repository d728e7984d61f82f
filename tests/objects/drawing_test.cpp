#include "alloc_counter.h"
#include "object_fixture.h"
#include "velloran/platform/null_canvas.h"

using namespace vl;
using namespace vl::test;
using enum TIndividualFlag;

namespace {

using Drawing = ObjectTest;

TEST_F(Drawing, ShowDrawsInLocalCoordinatesWithTheGeneratorsTools) {
    TBoxObj* o = Add(Tool, {100, 50});
    TPen pen{clBlue, 2, TPenStyle::psDash, TPenMode::pmXor};
    Tool->Generator().SetPen(pen);
    Tool->Generator().SetBrush({clGreen, TBrushStyle::bsSolid});
    o->Show();
    const auto rs = Records();
    const TEmfRecord* org = Last(rs, emr::SETWINDOWORGEX);
    ASSERT_TRUE(org);
    EXPECT_EQ(org->Int(8), -100);
    EXPECT_EQ(org->Int(12), -50);
    const TEmfRecord* rect = Last(rs, emr::RECTANGLE);
    ASSERT_TRUE(rect);
    EXPECT_EQ(EmfRect(*rect), (TRect{0, 0, 40, 20}));
    const TEmfRecord* p = Last(rs, emr::CREATEPEN);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Int(12), 1);      // dash
    EXPECT_EQ(p->Int(16), 2);      // width
    EXPECT_EQ(p->Int(24), clBlue); // colour
    const TEmfRecord* b = Last(rs, emr::CREATEBRUSHINDIRECT);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->Int(16), clGreen);
    EXPECT_EQ(Last(rs, emr::SETROP2)->Int(8), 7); // R2_XORPEN: the generator's pen mode
}

TEST_F(Drawing, ApplicationDrawingAndPictures) {
    TBoxObj* o = Add(Tool, {0, 0});
    int drawn = 0;
    Tool->OnObjectDraw = [&](TvlObject*) { ++drawn; };
    Tool->OnObjectSetColors = [](TvlObject*) { ActScaleSet->Canvas()->Brush().Color = clRed; };
    o->Print();
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(Cv->Brush().Color, clRed);
    Tool->Generator().Picture().SetGraphic(std::make_unique<TBitmap>(2, 2));
    EXPECT_THROW(o->Draw(), Exception);
}

TEST_F(Drawing, MarkedObjectGetsItsMarkAndSizingHandles) {
    struct THandles : TBoxObj {
        using TBoxObj::TBoxObj;
        std::vector<TSizeMode> Calls;
        bool SizingHandles(TPoint, TSizeMode m) override {
            Calls.push_back(m);
            Canvas().Ellipse({0, 0, 3, 3});
            return false;
        }
    };
    auto owned = std::make_unique<THandles>(Tool);
    THandles* o = owned.get();
    o->SetPos({10, 10});
    Doc->Objects.push_back(std::move(owned));
    Box->SetclMarkPen(clLime);
    o->State.Include(isMarked).Include(isSizing);
    o->Show();
    const auto rs = Records();
    EXPECT_EQ(Types(rs, {emr::RECTANGLE, emr::ELLIPSE}),
              (std::vector<uint32_t>{emr::RECTANGLE, emr::RECTANGLE, emr::ELLIPSE}));
    // The mark pen, then a solid brush of the same colour for the handles.
    EXPECT_EQ(Last(rs, emr::CREATEPEN)->Int(24), clLime);
    EXPECT_EQ(Last(rs, emr::CREATEBRUSHINDIRECT)->Int(12), 0);
    EXPECT_EQ(Last(rs, emr::CREATEBRUSHINDIRECT)->Int(16), clLime);
    EXPECT_EQ(o->Calls, (std::vector<TSizeMode>{TSizeMode::smShape}));
}

TEST_F(Drawing, ShadowIsOffsetAndColouredByTheViewsShadowBrush) {
    TBoxObj* o = Add(Tool, {100, 50});
    Tool->Generator().SetOptions({TGeneratorOption::goShadows});
    Box->Shadows().SetdX(10);
    Box->Shadows().SetdY(7);
    Box->Shadows().SetBrush({clGray, TBrushStyle::bsSolid});
    Tool->Generator().SetBrush({clYellow, TBrushStyle::bsSolid});
    o->Show();
    const auto rs = Records();
    std::vector<TPoint> origins;
    for (const auto& r : rs)
        if (r.Type() == emr::SETWINDOWORGEX) origins.push_back({r.Int(8), r.Int(12)});
    // Shadow at the offset corner, then the shape at the object's corner.
    EXPECT_EQ(origins, (std::vector<TPoint>{{-110, -57}, {-100, -50}}));
    std::vector<TColor> brushes;
    for (const auto& r : rs)
        if (r.Type() == emr::CREATEBRUSHINDIRECT) brushes.push_back(r.Int(16));
    EXPECT_EQ(brushes, (std::vector<TColor>{clGray, clYellow}));
    EXPECT_EQ(Types(rs, {emr::RECTANGLE}).size(), 2u);
}

TEST_F(Drawing, SelectionGoesThroughTheDocument) {
    TBoxObj* a = Add(Tool, {0, 0});
    TBoxObj* b = Add(Tool, {100, 0});
    a->Mark(); // not selected yet: selects, then the document marks all
    EXPECT_TRUE(a->GetSelected() && a->State.Contains(isMarked));
    b->SetSelected(true);
    EXPECT_EQ(Doc->Marked(), (std::vector<TvlObject*>{a, b}));
    // Unselecting a marked object asks for its area to be repainted.
    THeadlessWindowHost host(Box);
    Box->ScaleSetting().SetCanvas(Cv.get());
    a->SetSelected(false);
    EXPECT_FALSE(a->State.Contains(isMarked));
    EXPECT_EQ(Doc->Marked(), (std::vector<TvlObject*>{b}));
    ASSERT_EQ(host.Invalidations().size(), 1u);
    EXPECT_EQ(host.Invalidations()[0].Rect, (TRect{-3, -3, 43, 23}));
    // Hiding repaints at once and unselects.
    b->Hide();
    EXPECT_FALSE(b->GetVisible());
    EXPECT_TRUE(Doc->Marked().empty());
    EXPECT_EQ(host.Invalidations()[1].Rect, (TRect{97, -3, 143, 23}));
}

TEST_F(Drawing, InvalidateWidensTheRestoreRectangleAndSizingSwitches) {
    TBoxObj* a = Add(Tool, {0, 0});
    TBoxObj* b = Add(Tool, {100, 50});
    a->Invalidate();
    b->Invalidate();
    EXPECT_EQ(Doc->RestoreRect(), (TLimRec{-3, -3, 143, 73}));
    Doc->InitRestoreRect();
    a->SetSizing(true);
    SizingHandle = TSizingHandle::szX1Y1;
    a->SetSizing(false);
    EXPECT_EQ(SizingHandle, TSizingHandle::szNone);
    EXPECT_EQ(Doc->RestoreRect().Xmin, -3 - ActScaleSet->GetTempFrame());
    Tool->Generator().SetOptions({TGeneratorOption::goNoSizing});
    a->SetSizing(true);
    EXPECT_FALSE(a->GetSizing());
}

TEST_F(Drawing, MovingHonoursOptionsAndDependants) {
    TBoxObj* m = Add(Tool, {100, 50});
    TBoxObj* s = AddSlave(Tool2, m, 5, 5);
    m->StartMove();
    EXPECT_TRUE(ActScaleSet->State.Contains(TScaleFlag::scMovingObjects));
    m->MovePos({10, 20});
    s->MovePos({1, 1});
    EXPECT_EQ(m->GetPos(), (TPoint{110, 70}));
    EXPECT_EQ(s->GetPos(), (TPoint{116, 76}));
    Tool->Generator().SetOptions({TGeneratorOption::goNoHorzMove});
    m->MovePos({10, 20});
    EXPECT_EQ(m->GetPos(), (TPoint{110, 90}));
    s->State.Include(isCantMove);
    s->MovePos({1, 1});
    m->EndMove();
    s->EndMove();
    EXPECT_EQ(s->Pos.RelX, 6);
    EXPECT_FALSE(s->State.Contains(isCantMove));
    EXPECT_FALSE(ActScaleSet->State.Contains(TScaleFlag::scMovingObjects));
}

TEST_F(Drawing, DependantsFollowTheirMasterSelection) {
    TBoxObj* m = Add(Tool, {0, 0});
    TBoxObj* s = AddSlave(Tool2, m, 0, 0);
    TBoxObj* lone = Add(Tool, {50, 50});
    for (TInvolve c : {TInvolve::invMove, TInvolve::invDelete, TInvolve::invCopy})
        EXPECT_EQ(lone->Involved(c), 0);

    m->SetSelected(true);
    s->Involved(TInvolve::invMove);
    EXPECT_TRUE(s->GetSelected());
    EXPECT_TRUE(s->State.Contains(isCantMove));

    m->SetSelected(false);
    s->Involved(TInvolve::invCopy); // not copied without its master
    EXPECT_FALSE(s->GetSelected());
    m->SetSelected(true);
    s->Involved(TInvolve::invCopy);
    EXPECT_TRUE(s->GetSelected());

    m->SetSelected(false);
    s->CanDelete(); // kept: its master stays
    EXPECT_FALSE(s->State.Contains(isDeleted));
    EXPECT_FALSE(s->GetSelected());
    m->SetSelected(true);
    s->Involved(TInvolve::invDelete);
    EXPECT_TRUE(s->GetSelected());
    s->CanDelete();
    m->CanDelete();
    EXPECT_TRUE(s->State.Contains(isDeleted));
    EXPECT_TRUE(m->State.Contains(isDeleted));
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
        EXPECT_TRUE(m->Found({110, 55, 111, 56}));
        EXPECT_TRUE(s->Found({110, 60, 111, 61}));
        EXPECT_TRUE(s->CheckFrame(TPoint{110, 60}));
        (void)m->GetMaxLimits();
        (void)m->CreateShapeRgn(TRgnMode::rmLog);
        (void)m->CreateShapeRgn(TRgnMode::rmDev);
        m->Invalidate();
    }
    EXPECT_EQ(vl::test::GAllocations - before, 0);
    auto probe = std::make_unique<int>(0); // the counter does see allocations
    EXPECT_EQ(vl::test::GAllocations - before, 1);
}

} // namespace

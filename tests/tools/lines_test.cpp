// Line creators driven by mouse messages through the headless window: the
// rubber band, ortho mode against grid snap, chains, box shapes, and lines
// whose ends hang on points of a master creator.

#include <tuple>

#include "tool_fixture.h"
#include "velloran/objects/line_obj.h"
#include "velloran/platform/detail/emf_reader.h"
#include "velloran/platform/detail/emf_records.h"
#include "velloran/platform/metafile_canvas.h"
#include "velloran/tools/line_depends.h"

namespace vl::test {
namespace {

using enum TToolStateItem;

class LinesTest : public PointsTest {
protected:
    LinesTest() {
        Points->Generator().SetHotspotX(10);
        Points->Generator().SetHotspotY(10);
        Lines->Activate(nullptr);
    }
    void Click(int32_t x, int32_t y) { Host->SendMouseDown(TMouseButton::mbLeft, x, y); }
    void RightClick(int32_t x, int32_t y) { Host->SendMouseDown(TMouseButton::mbRight, x, y); }
    TLineObj* Line(int32_t i) const { return dynamic_cast<TLineObj*>(Doc->At(i)); }
    // The ends of line i.
    std::pair<TPoint, TPoint> Ends(int32_t i) const { return {Line(i)->GetPos(), Line(i)->GetPos2()}; }

    TvlLines* Lines = AddTool<TvlLines>(); // component 3
};

TEST_F(LinesTest, TwoClicksWithABandBetweenThemMakeALine) {
    std::vector<TPoint> extents;
    std::string events;
    Lines->OnDynaShapeStart = [&](TObject*) { events += "start "; };
    Lines->OnDynaShapeEnd = [&](TObject*) { events += "end "; };
    Lines->OnDynaShapeMove = [&](TObject*, TShiftState, int32_t x, int32_t y) { extents.push_back({x, y}); };
    Host->SendMouseMove(50, 50); // no band before the first click
    Click(100, 100);
    EXPECT_TRUE(Lines->ToolState.Contains(tsWorking));
    EXPECT_TRUE(Host->CursorClip().has_value());
    EXPECT_EQ(Doc->GetCount(), 0);
    Host->SendMouseMove(80, 130);
    Click(60, 120);
    ASSERT_EQ(Doc->GetCount(), 1);
    EXPECT_EQ(Ends(0), std::pair(TPoint{100, 100}, TPoint{60, 120}));
    EXPECT_TRUE(Line(0)->GetVisible());
    EXPECT_EQ(extents, (std::vector<TPoint>{{-20, 30}}));
    EXPECT_EQ(events, "start end ");
    EXPECT_FALSE(Lines->ToolState.Contains(tsWorking) || Lines->ToolState.Contains(tsCanScroll));
    EXPECT_FALSE(Host->CursorClip().has_value());
    // The new line is repainted.
    const TRect r = Host->InvalidRect().value_or(TRect{});
    EXPECT_TRUE(r.Left <= 60 && r.Top <= 100 && r.Right >= 100 && r.Bottom >= 120);

    // Another tool in between gives a started line up.
    Click(10, 10);
    Logged("other")->Activate(nullptr);
    Lines->Activate(nullptr);
    Click(30, 30);
    EXPECT_EQ(Doc->GetCount(), 1);
    EXPECT_EQ(Lines->GetPosP1(), (TPoint{30, 30}));
}

TEST_F(LinesTest, OrthoModeUnlessTheGridSnaps) {
    Lines->SetOrthoMode(true);
    const std::pair<TPoint, TPoint> clicks[] = {
        {{10, 10}, {10, 0}}, {{5, 9}, {0, 9}}, {{-7, 7}, {-7, 0}}, {{-3, -30}, {0, -30}}};
    for (const auto& [at, end] : clicks) {
        Click(100, 100);
        Host->SendMouseMove(100 + at.X, 100 + at.Y);
        EXPECT_EQ(Lines->GetPosP2(), (TPoint{100 + end.X, 100 + end.Y}));
        Click(100 + at.X, 100 + at.Y);
    }
    ASSERT_EQ(Doc->GetCount(), 4);
    for (int32_t i = 0; i < 4; ++i)
        EXPECT_EQ(Line(i)->GetPos2(), (TPoint{100 + clicks[i].second.X, 100 + clicks[i].second.Y}));

    Box->Grid().SetIncHorz(10);
    Box->Grid().SetIncVert(10);
    Box->Grid().SetCapture(true);
    Click(101, 99);
    Click(147, 121);
    EXPECT_EQ(Ends(4), std::pair(TPoint{100, 100}, TPoint{150, 120}));
}

TEST_F(LinesTest, ChainsOfFourClicksAndFromAProgram) {
    Lines->SetPolyShape(true);
    for (TPoint p : {TPoint{10, 10}, TPoint{100, 10}, TPoint{100, 80}, TPoint{20, 90}}) Click(p.X, p.Y);
    ASSERT_EQ(Doc->GetCount(), 3);
    EXPECT_EQ(Ends(1), std::pair(TPoint{100, 10}, TPoint{100, 80}));
    EXPECT_EQ(Ends(2), std::pair(TPoint{100, 80}, TPoint{20, 90}));
    EXPECT_TRUE(Lines->ToolState.Contains(tsWorking));
    // A right click ends the chain; the tool stays until the next one.
    RightClick(5, 5);
    EXPECT_FALSE(Lines->ToolState.Contains(tsWorking));
    EXPECT_EQ(Box->Tool(), Lines);
    EXPECT_EQ(Doc->GetCount(), 3);

    Lines->SetPolyShape(false);
    const TPoint pts[] = {{0, 0}, {50, 0}, {50, 50}, {0, 50}};
    TvlObject* last = Lines->SetPolyObj(pts, 4);
    ASSERT_EQ(Doc->GetCount(), 6);
    EXPECT_EQ(last, Doc->At(5));
    EXPECT_EQ(Ends(5), std::pair(TPoint{50, 50}, TPoint{0, 50}));
    EXPECT_FALSE(Lines->PolyShape() || Lines->ToolState.Contains(tsWorking));
    EXPECT_EQ(Lines->SetPolyObjA({pts, 1}), nullptr);

    Logged("idle", {TToolOption::toDefaultTool});
    RightClick(5, 5);
    EXPECT_EQ(Log, "+idle");
}

TEST_F(LinesTest, BoxShapesSpanBetweenCornersWithARectangularBand) {
    TMetafile mf;
    TMetafileCanvas cv(mf);
    Host->SetCanvas(&cv);
    Lines->Generator().SetShape(TShapetype::stRectangle);
    Click(100, 100);
    Host->SendMouseMove(140, 120);
    Click(140, 120);
    Host->SetCanvas(nullptr);
    cv.Close();
    std::vector<TPoint> band;
    bool notXor = false;
    for (const TEmfRecord& r : EmfRecords(mf)) {
        if (r.Type() == emr::MOVETOEX || r.Type() == emr::LINETO) band.push_back(EmfPoints(r).at(0));
        if (r.Type() == emr::SETROP2) notXor = r.Int(8) == 10; // R2_NOTXORPEN
    }
    // Shown at the click, moved (removed, shown), removed: strokes of six points.
    ASSERT_EQ(band.size(), 4 * 6u);
    const std::vector<TPoint> shown(band.begin() + 12, band.begin() + 18);
    EXPECT_EQ(shown, (std::vector<TPoint>{
                         {100, 100}, {140, 100}, {140, 120}, {139, 120}, {100, 120}, {100, 100}}));
    EXPECT_TRUE(notXor);
    ASSERT_EQ(Doc->GetCount(), 1);
    EXPECT_EQ(Line(0)->GetLimits(), (TLimRec{100, 100, 140, 120}));

    // A point creator whose class is a line object spans its generator's size.
    Points->OnObjectSetClass = [](TCapClass& c) { c = CapClassOf<TLineObj>; };
    Points->Generator().SetShape(TShapetype::stEllipse);
    TvlObject* o = Points->SetNewObj({10, 20});
    EXPECT_EQ(dynamic_cast<TLineObj*>(o)->GetPos2(), (TPoint{30, 40}));
}

// ---- Dependent lines ------------------------------------------------------------------

class LineDependsTest : public LinesTest {
protected:
    LineDependsTest() {
        Depends->SetMasterObject(Points);
        Depends->Activate(nullptr);
    }
    // Moves over the point and clicks it, as a user does.
    void ClickAt(int32_t x, int32_t y) {
        Host->SendMouseMove(x, y);
        Click(x, y);
    }
    TLineDepends* Depends = AddTool<TLineDepends>(); // component 4
};

TEST_F(LineDependsTest, EmptySpaceMakesPointsExistingPointsAreUsed) {
    ClickAt(50, 50);
    ClickAt(200, 100);
    ASSERT_EQ(Doc->GetCount(), 3);
    TvlObject* a = Doc->At(0);
    TvlObject* b = Doc->At(1);
    TLineObj* l = Line(2);
    const TObjectTool* points = Points;
    const TObjectTool* depends = Depends;
    EXPECT_EQ(std::tuple(a->Tool(), b->Tool(), l->Tool()), std::tuple(points, points, depends));
    EXPECT_EQ(std::tuple(l->GetMaster(), l->GetMaster2()), std::tuple(a, b));

    // Clicks near existing points hang the line on their positions.
    ClickAt(203, 95);
    ClickAt(45, 58);
    ASSERT_EQ(Doc->GetCount(), 4);
    EXPECT_EQ(std::tuple(Line(3)->GetMaster(), Line(3)->GetMaster2()), std::tuple(b, a));
    EXPECT_EQ(Ends(3), std::pair(TPoint{200, 100}, TPoint{50, 50}));

    // The first point again as the second end makes a new point.
    ClickAt(50, 50);
    ClickAt(52, 52);
    ASSERT_EQ(Doc->GetCount(), 6);
    EXPECT_EQ(Line(5)->GetMaster(), a);
    EXPECT_EQ(Line(5)->GetMaster2(), Doc->At(4));
    EXPECT_EQ(Doc->At(4)->GetPos(), (TPoint{52, 52}));

    // From a program: two points make a line between them.
    TvlObject* made = nullptr;
    Depends->LinkNewObjTo(a);
    made = Depends->LinkNewObjTo(b);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(std::tuple(Line(6)->GetMaster(), Line(6)->GetMaster2()), std::tuple(a, b));
    EXPECT_EQ(Box->MouseFnd(), nullptr);
    Depends->LinkNewObj({204, 104});
    Depends->LinkNewObj({300, 30});
    EXPECT_EQ(Line(8)->GetMaster(), b);
    EXPECT_EQ(Line(8)->GetMaster2(), Doc->At(7));
}

TEST_F(LineDependsTest, MovingAMasterMovesAndRepaintsTheLine) {
    ClickAt(50, 50);
    ClickAt(200, 100);
    TvlObject* b = Doc->At(1);
    TLineObj* l = Line(2);
    Host->ClearRecords();
    Doc->Select(b);
    Doc->CheckLinks(TInvolve::invMove);
    EXPECT_TRUE(l->GetSelected());
    Box->MoveObjects({100, 150});
    EXPECT_EQ(Ends(2), std::pair(TPoint{50, 50}, TPoint{300, 250}));
    // The old and the new place of the line are repainted.
    const TRect r = Host->InvalidRect().value_or(TRect{});
    EXPECT_TRUE(r.Left <= 50 && r.Top <= 50 && r.Right >= 300 && r.Bottom >= 250) << r.Left << ',' << r.Top;

    // A symbol that a remaining line hangs on is not deleted; with the line it is.
    Doc->Select(b);
    Doc->DeleteObjects();
    EXPECT_EQ(Doc->GetCount(), 3);
    Doc->Select(b);
    Doc->Select(l);
    Doc->DeleteObjects();
    ASSERT_EQ(Doc->GetCount(), 1);
    ClickAt(50, 50);
    ClickAt(200, 100);
    ASSERT_EQ(Doc->GetCount(), 3);

    // Deleting the master creator takes its lines along.
    delete Points;
    Points = nullptr;
    EXPECT_EQ(Doc->GetCount(), 0);
}

TEST_F(LineDependsTest, ConfigurationErrorsShowTheirDialogAndMakeNothing) {
    Depends->SetMasterObject(nullptr);
    Depends->Activate(nullptr);
    ClickAt(50, 50);
    Depends->OnObjectSetClass = [](TCapClass& c) { c = CapClassOf<TPointObj>; };
    Depends->SetMasterObject(Points);
    ClickAt(50, 50);
    ClickAt(90, 90);
    ASSERT_EQ(Svc.Messages().size(), 3u);
    EXPECT_EQ(Svc.Messages()[0].Text, u"MasterObject property undefined");
    EXPECT_EQ(Svc.Messages()[1].Text, u"MasterObject property undefined");
    EXPECT_EQ(Svc.Messages()[2].Text, u"wrong class definition");
    EXPECT_EQ(Svc.Messages()[2].Kind, TMsgDlgType::mtError);
    // The two points stay; the object of the wrong class is gone.
    EXPECT_EQ(Doc->GetCount(), 2);
    EXPECT_TRUE(Depends->ToolState.Contains(tsWorking));
}

} // namespace
} // namespace vl::test

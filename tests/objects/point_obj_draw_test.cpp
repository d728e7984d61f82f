#include "point_obj_fixture.h"
#include "velloran/foundations/geometry.h"
#include "velloran/platform/metafile.h"
#include "velloran/platform/picture.h"

using namespace vl;
using namespace vl::test;
using enum TShapetype;

namespace {

class PointDraw : public PointTest {
protected:
    void SetUp() override {
        PointTest::SetUp();
        Gen().SetPen({clBlue, 1, TPenStyle::psSolid, TPenMode::pmCopy});
        Gen().SetBrush({clGreen, TBrushStyle::bsSolid});
    }
    static std::vector<TPoint> Points(const TEmfRecord* r) { return r ? EmfPoints(*r) : std::vector<TPoint>{}; }
    // Index of the first record of a type, or -1.
    static long IndexOf(const std::vector<TEmfRecord>& rs, uint32_t type) {
        for (size_t i = 0; i < rs.size(); ++i)
            if (rs[i].Type() == type) return static_cast<long>(i);
        return -1;
    }
    // The last record of a type before index end.
    static const TEmfRecord* Before(const std::vector<TEmfRecord>& rs, long end, uint32_t type) {
        const TEmfRecord* f = nullptr;
        for (long i = 0; i < end; ++i)
            if (rs[static_cast<size_t>(i)].Type() == type) f = &rs[static_cast<size_t>(i)];
        return f;
    }
    void SetBitmap(int32_t w, int32_t h, TColor corner) {
        auto bmp = std::make_unique<TBitmap>(w, h);
        bmp->SetPixel(0, 0, corner);
        Gen().Picture().SetGraphic(std::move(bmp));
    }
};

TEST_F(PointDraw, UnturnedShapesWithTheGeneratorsPenAndBrush) {
    struct TExpect {
        TShapetype Shape;
        uint32_t Type;
        TRect Box;
        int32_t Corner;
    };
    // 40 x 20: s = 20, corner s div 2; squares and circles take the smaller side.
    const TExpect table[] = {
        {stRectangle, emr::RECTANGLE, {0, 0, 40, 20}, 0}, {stEllipse, emr::ELLIPSE, {0, 0, 40, 20}, 0},
        {stCircle, emr::ELLIPSE, {0, 0, 20, 20}, 0},      {stSquare, emr::RECTANGLE, {0, 0, 20, 20}, 0},
        {stRoundRect, emr::ROUNDRECT, {0, 0, 40, 20}, 10}, {stRoundSquare, emr::ROUNDRECT, {0, 0, 20, 20}, 10},
    };
    for (const TExpect& e : table) {
        SCOPED_TRACE(static_cast<int>(e.Shape));
        Mf = TMetafile();
        Cv = std::make_unique<TMetafileCanvas>(Mf);
        Box->ScaleSetting().SetCanvas(Cv.get());
        Shape(e.Shape, 40, 20); // goRotation with angle 0: unturned
        AddPt()->Show();
        const auto rs = Records();
        EXPECT_EQ(Types(rs, {emr::RECTANGLE, emr::ELLIPSE, emr::ROUNDRECT, emr::POLYGON, emr::POLYGON16}),
                  (std::vector<uint32_t>{e.Type}));
        const TEmfRecord* f = Last(rs, e.Type);
        EXPECT_EQ(EmfRect(*f), e.Box);
        if (e.Corner) EXPECT_EQ(f->Int(24), e.Corner);
        EXPECT_EQ(Last(rs, emr::CREATEPEN)->Int(24), clBlue);
        EXPECT_EQ(Last(rs, emr::CREATEBRUSHINDIRECT)->Int(12), 0); // solid
        EXPECT_EQ(Last(rs, emr::CREATEBRUSHINDIRECT)->Int(16), clGreen);
        EXPECT_EQ(Last(rs, emr::SETWINDOWORGEX)->Int(8), -90);
    }
}

TEST_F(PointDraw, LinesAndRegions) {
    Shape(stLine, 40, -20);
    TPointObj* o = AddPt();
    o->Show();
    Shape(stRegion, 40, 20);
    o->SetAlphaPlain(QuarterTurn); // regions do not turn
    o->Show();
    const auto rs = Records();
    EXPECT_EQ(Points(First(rs, emr::MOVETOEX)), (std::vector<TPoint>{{0, 20}}));
    EXPECT_EQ(Points(First(rs, emr::LINETO)), (std::vector<TPoint>{{40, 0}}));
    const TEmfRecord* f = Last(rs, emr::FRAMERGN);
    ASSERT_TRUE(f);
    EXPECT_EQ(EmfRect(*f), (TRect{0, 0, 40, 20}));
    EXPECT_EQ(f->Int(32), ActScaleSet->PixToLog(3));
    // Framed with a solid brush of the pen's colour.
    const TEmfRecord* b = Last(rs, emr::CREATEBRUSHINDIRECT);
    EXPECT_EQ(b->Int(12), 0);
    EXPECT_EQ(b->Int(16), clBlue);
}

TEST_F(PointDraw, TurnedShapesAreOutlinesAboutTheHotSpot) {
    TPointObj* o = AddPt();
    o->SetAlphaPlain(QuarterTurn);
    Shape(stRectangle, 40, 20);
    o->Show();
    Shape(stCircle, 40, 20); // a circle of the width, only its centre turns
    o->Show();
    Shape(stEllipse, 40, 20);
    o->Show();
    Shape(stRoundSquare, 40, 20);
    o->Show();
    Shape(stLine, 40, 20);
    o->Show();
    // Turned by one milliradian a square already takes the width as its side.
    Shape(stSquare, 40, 20);
    o->SetAlphaPlain(1);
    o->Show();
    o->SetAlphaPlain(0);
    o->Show();
    const auto rs = Records();
    std::vector<std::vector<TPoint>> polys;
    for (const auto& r : rs)
        if (r.Type() == emr::POLYGON || r.Type() == emr::POLYGON16) polys.push_back(EmfPoints(r));
    ASSERT_EQ(polys.size(), 4u);
    EXPECT_EQ(polys[0], (std::vector<TPoint>{{15, -5}, {15, 35}, {-5, 35}, {-5, -5}}));
    EXPECT_EQ(polys[1].size(), 32u);
    EXPECT_EQ(polys[1][0], (TPoint{5, 35}));
    EXPECT_EQ(GetPolygonLimits(polys[1]), (TLimRec{-5, -5, 15, 35}));
    EXPECT_EQ(polys[2].size(), 16u);
    EXPECT_EQ(GetPolygonLimits(polys[2]), (TLimRec{-25, -5, 15, 35}));
    EXPECT_EQ(polys[3], (std::vector<TPoint>{{0, 0}, {40, 0}, {40, 40}, {0, 40}}));
    EXPECT_EQ(EmfRect(*First(rs, emr::ELLIPSE)), (TRect{-25, -5, 15, 35}));
    EXPECT_EQ(EmfRect(*Last(rs, emr::RECTANGLE)), (TRect{0, 0, 20, 20}));
    EXPECT_FALSE(First(rs, emr::LINETO)); // a turned line draws nothing
}

TEST_F(PointDraw, MovingOutlineDrawsNoCornerTwiceAndMarksThePivot) {
    TPointObj* o = AddPt();
    Shape(stSquare, 40, 20);
    o->DrawShadow();
    SizingHandle = TSizingHandle::szRotate;
    o->SetAlphaPlain(QuarterTurn);
    Shape(stRectangle, 40, 20);
    o->DrawShadow();
    const auto rs = Records();
    std::vector<TPoint> path;
    for (const auto& r : rs)
        if (r.Type() == emr::MOVETOEX || r.Type() == emr::LINETO) path.push_back(EmfPoints(r)[0]);
    const std::vector<TPoint> square{{0, 0}, {19, 0}, {20, 0}, {20, 19}, {20, 20}, {1, 20}, {0, 20}, {0, 1}};
    // Then the pivot cross at (10, 5), turned a quarter.
    const std::vector<TPoint> cross{{20, 5}, {0, 5}, {10, -5}, {10, 15}};
    std::vector<TPoint> expected = square;
    expected.insert(expected.end(), cross.begin(), cross.end());
    EXPECT_EQ(path, expected);
    EXPECT_EQ(Points(Polygon(rs)), (std::vector<TPoint>{{15, -5}, {15, 35}, {-5, 35}, {-5, -5}}));
    EXPECT_EQ(Last(rs, emr::SETWINDOWORGEX)->Int(8), -90);
}

TEST_F(PointDraw, ApplicationHandlersReplaceTheFigure) {
    TPointObj* o = AddPt();
    int drawn = 0, shaped = 0;
    Tool->OnObjectDraw = [&](TvlObject* obj) {
        EXPECT_EQ(obj, o);
        EXPECT_EQ(Cv->Pen().Color, clBlue); // colours come first
        ++drawn;
    };
    o->Show();
    EXPECT_EQ(drawn, 1);
    Tool->OnObjectDraw = nullptr;
    Tool->OnObjectShape = [&](TvlObject*) { ++shaped; };
    o->SetAlphaPlain(QuarterTurn);
    Gen().SetOptions({TGeneratorOption::goRotation});
    o->Show();
    EXPECT_EQ(shaped, 1);
    const auto rs = Records();
    EXPECT_TRUE(Types(rs, {emr::RECTANGLE, emr::POLYGON, emr::POLYGON16}).empty());
}

TEST_F(PointDraw, BitmapsClippedStretchedTransparentAndOutlined) {
    SetBitmap(4, 2, clRed);
    TPointObj* o = AddPt();
    o->Show();
    Gen().SetOptions({TGeneratorOption::goStretchPicture});
    o->Show();
    const auto rs = Records();
    std::vector<TRect> dests;
    for (const auto& r : rs)
        if (r.Type() == emr::STRETCHDIBITS) dests.push_back({r.Int(24), r.Int(28), r.Int(72), r.Int(76)});
    EXPECT_EQ(dests, (std::vector<TRect>{{0, 0, 4, 2}, {0, 0, 40, 20}}));
    const long pic = IndexOf(rs, emr::STRETCHDIBITS);
    EXPECT_TRUE(Before(rs, pic, emr::EXTSELECTCLIPRGN)); // clipped to the shape
    // Then the outline with a clear brush over the picture.
    const TEmfRecord* rect = Last(rs, emr::RECTANGLE);
    ASSERT_TRUE(rect);
    EXPECT_EQ(EmfRect(*rect), (TRect{0, 0, 40, 20}));
    EXPECT_EQ(Last(rs, emr::CREATEBRUSHINDIRECT)->Int(12), 1);
    EXPECT_FALSE(Gen().Picture().Graphic()->Transparent());
}

TEST_F(PointDraw, ClearBrushMakesThePictureTransparentAndClearPenDrawsNoOutline) {
    SetBitmap(4, 2, clRed);
    Gen().SetBrush({clGreen, TBrushStyle::bsClear});
    Gen().SetPen({clBlue, 1, TPenStyle::psClear, TPenMode::pmCopy});
    TPointObj* o = AddPt();
    o->Show();
    const auto* bmp = static_cast<const TBitmap*>(Gen().Picture().Graphic());
    EXPECT_TRUE(bmp->Transparent());
    EXPECT_EQ(bmp->TransparentColor(), clRed); // the top-left pixel
    // Turned, a bitmap shows only its outline (turned pictures are another kind).
    Gen().SetPen({clBlue, 1, TPenStyle::psSolid, TPenMode::pmCopy});
    Gen().SetOptions({TGeneratorOption::goRotation});
    o->SetAlphaPlain(QuarterTurn);
    o->Show();
    const auto rs = Records();
    EXPECT_EQ(Types(rs, {emr::STRETCHDIBITS, emr::RECTANGLE}), (std::vector<uint32_t>{emr::STRETCHDIBITS}));
    EXPECT_EQ(Types(rs, {emr::POLYGON, emr::POLYGON16}).size(), 2u);
}

TEST_F(PointDraw, MirroredViewsShowPicturesUnmirroredInTheBox) {
    SetBitmap(4, 2, clRed);
    Gen().SetOptions({TGeneratorOption::goStretchPicture});
    // Origin at the right: logical x runs leftwards from device x 500.
    Box->ScaleSetting().SetOrigin(TOrigin::RightTop);
    Cv->SetMapMode(TMapMode::mmAnisotropic);
    Cv->SetViewportOrg({500, 0});
    Cv->SetViewportExt({-1, 1});
    TPointObj* o = AddPt(); // box: device x 370..410
    o->Show();
    const auto rs = Records();
    const long pic = IndexOf(rs, emr::STRETCHDIBITS);
    ASSERT_GE(pic, 0);
    // The extent in force is (1, 1): recorded, or never changed from it.
    const TEmfRecord* vp = Before(rs, pic, emr::SETVIEWPORTEXTEX);
    const TSize ext = vp ? TSize{vp->Int(8), vp->Int(12)} : TSize{1, 1};
    EXPECT_EQ(ext, (TSize{1, 1}));
    const TEmfRecord* org = Before(rs, pic, emr::SETWINDOWORGEX);
    EXPECT_EQ((TPoint{org->Int(8), org->Int(12)}), (TPoint{130, -45})); // local 0 at device 370
    EXPECT_EQ(rs[static_cast<size_t>(pic)].Int(24), 0);
    EXPECT_EQ(rs[static_cast<size_t>(pic)].Int(72), 40);
    // Afterwards the mirrored mapping is back for the outline.
    ASSERT_TRUE(Last(rs, emr::SETVIEWPORTEXTEX));
    EXPECT_EQ(Last(rs, emr::SETVIEWPORTEXTEX)->Int(8), -1);
    EXPECT_GT(IndexOf(rs, emr::RESTOREDC), pic);
}

TEST_F(PointDraw, MetafilePicturesTurnAgainstAMirroredView) {
    auto mf = std::make_unique<TMetafile>();
    mf->SetWidth(40);
    mf->SetHeight(20);
    {
        TMetafileCanvas c(*mf);
        c.Rectangle({0, 0, 40, 20});
    }
    Gen().Picture().SetGraphic(std::move(mf));
    Gen().SetPen({clBlue, 1, TPenStyle::psClear, TPenMode::pmCopy});
    Gen().SetOptions({TGeneratorOption::goRotation});
    TPointObj* o = AddPt();
    o->Show(); // unturned: played as it is
    o->SetAlphaPlain(QuarterTurn);
    o->Show();
    Box->ScaleSetting().SetOrigin(TOrigin::RightTop);
    o->Show();
    const auto rs = Records();
    EXPECT_EQ(Types(rs, {emr::RECTANGLE}).size(), 1u);
    std::vector<TLimRec> turned;
    for (const auto& r : rs)
        if (r.Type() == emr::POLYGON || r.Type() == emr::POLYGON16) turned.push_back(GetPolygonLimits(EmfPoints(r)));
    // About the hot spot (10, 5); mirrored about (30, 5) the other way round.
    EXPECT_EQ(turned, (std::vector<TLimRec>{{-5, -5, 15, 35}, {25, -5, 45, 35}}));
}

TEST_F(PointDraw, PrintingDrawsShadowColoursAndThePicture) {
    TPointObj* o = AddPt();
    Gen().SetOptions({TGeneratorOption::goShadows});
    Box->Shadows().SetdX(5);
    Box->Shadows().SetdY(5);
    o->Print(); // no picture: as drawn
    SetBitmap(4, 2, clRed);
    o->Print();
    int drawn = 0;
    Tool->OnObjectDraw = [&](TvlObject*) { ++drawn; };
    o->Print();
    o->SetVisible(false);
    o->Print();
    EXPECT_EQ(drawn, 1);
    const auto rs = Records();
    // Shadow and shape, shadow and picture with its outline, shadow only.
    EXPECT_EQ(Types(rs, {emr::RECTANGLE, emr::STRETCHDIBITS}),
              (std::vector<uint32_t>{emr::RECTANGLE, emr::RECTANGLE, emr::RECTANGLE, emr::STRETCHDIBITS,
                                     emr::RECTANGLE, emr::RECTANGLE}));
}

} // namespace

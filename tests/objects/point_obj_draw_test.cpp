#include "point_obj_fixture.h"
#include "velloran/foundations/geometry.h"
#include "velloran/platform/metafile.h"
#include "velloran/platform/picture.h"

using namespace vl;
using namespace vl::test;
using enum TShapetype;

namespace {

// Figures and picture transfers in order: type, box, points.
struct TFig {
    uint32_t Type;
    TRect Box;
    std::vector<TPoint> Pts;
    bool operator==(const TFig&) const = default;
};
using Figs = std::vector<TFig>;

Figs Figures(const std::vector<TEmfRecord>& rs) {
    Figs f;
    for (const auto& r : rs) {
        const uint32_t t = r.Type() == emr::POLYGON16 ? emr::POLYGON : r.Type();
        if (t == emr::STRETCHDIBITS)
            f.push_back({t, {r.Int(24), r.Int(28), r.Int(72), r.Int(76)}, {}});
        else if (t == emr::RECTANGLE || t == emr::ELLIPSE || t == emr::ROUNDRECT || t == emr::FRAMERGN)
            f.push_back({t, EmfRect(r), {}});
        else if (t == emr::POLYGON || t == emr::MOVETOEX || t == emr::LINETO)
            f.push_back({t, {}, EmfPoints(r)});
    }
    return f;
}
TFig Fig(uint32_t t, TRect r) { return {t, r, {}}; }
TFig Pts(uint32_t t, std::vector<TPoint> p) { return {t, {}, std::move(p)}; }
const TFig Rect40 = Fig(emr::RECTANGLE, {0, 0, 40, 20});

// The record of a type last put before the first record of type At.
const TEmfRecord* Before(const std::vector<TEmfRecord>& rs, uint32_t At, uint32_t type) {
    const TEmfRecord* f = nullptr;
    for (size_t i = 0; i < rs.size() && rs[i].Type() != At; ++i)
        if (rs[i].Type() == type) f = &rs[i];
    return f;
}

class PointDraw : public PointTest {
protected:
    void SetBitmap() {
        auto bmp = std::make_unique<TBitmap>(4, 2);
        bmp->SetPixel(0, 0, clRed);
        Gen().Picture().SetGraphic(std::move(bmp));
    }
};

TEST_F(PointDraw, UnturnedShapesWithTheGeneratorsTools) {
    for (TShapetype s : {stRectangle, stEllipse, stCircle, stSquare, stRoundRect, stRoundSquare}) {
        Shape(s); // goRotation at angle 0 draws unturned
        O->Show();
    }
    Shape(stRegion);
    O->Show();
    Shape(stLine, 40, -20);
    O->Show();
    const auto rs = Records();
    // 40 x 20: squares and circles take the smaller side; corners s div 2.
    EXPECT_EQ(Figures(rs), (Figs{Rect40, Fig(emr::ELLIPSE, {0, 0, 40, 20}),
                                 Fig(emr::ELLIPSE, {0, 0, 20, 20}), Fig(emr::RECTANGLE, {0, 0, 20, 20}),
                                 Fig(emr::ROUNDRECT, {0, 0, 40, 20}), Fig(emr::ROUNDRECT, {0, 0, 20, 20}),
                                 Fig(emr::FRAMERGN, {0, 0, 40, 20}), Pts(emr::MOVETOEX, {{0, 20}}),
                                 Pts(emr::LINETO, {{40, 0}})}));
    EXPECT_EQ(Last(rs, emr::ROUNDRECT)->Int(24), 10);
    EXPECT_EQ(Before(rs, emr::RECTANGLE, emr::CREATEPEN)->Int(24), clBlue);
    EXPECT_EQ(Before(rs, emr::RECTANGLE, emr::CREATEBRUSHINDIRECT)->Int(16), clGreen);
    // A region is framed FrameRgn_W pixels wide with the pen's colour.
    EXPECT_EQ(Last(rs, emr::FRAMERGN)->Int(32), ActScaleSet->PixToLog(3));
    EXPECT_EQ(Before(rs, emr::FRAMERGN, emr::CREATEBRUSHINDIRECT)->Int(16), clBlue);
}

TEST_F(PointDraw, TurnedShapesAreOutlinesAboutTheHotSpot) {
    O->SetAlphaPlain(QuarterTurn);
    for (TShapetype s : {stRectangle, stCircle, stLine, stEllipse}) {
        Shape(s);
        O->Show();
    }
    O->SetAlphaPlain(1); // one milliradian: a square takes the width as side
    Shape(stSquare);
    O->Show();
    const Figs f = Figures(Records());
    ASSERT_EQ(f.size(), 4u); // a turned line draws nothing
    EXPECT_EQ(f[0], Pts(emr::POLYGON, {{15, -5}, {15, 35}, {-5, 35}, {-5, -5}}));
    EXPECT_EQ(f[1], Fig(emr::ELLIPSE, {-25, -5, 15, 35})); // a circle: only the centre turns
    EXPECT_EQ(f[2].Pts.size(), 32u);
    EXPECT_EQ(GetPolygonLimits(f[2].Pts), (TLimRec{-5, -5, 15, 35}));
    EXPECT_EQ(f[3], Pts(emr::POLYGON, {{0, 0}, {40, 0}, {40, 40}, {0, 40}}));
}

TEST_F(PointDraw, MovingOutlineDrawsNoCornerTwiceAndMarksThePivot) {
    Shape(stSquare);
    O->DrawShadow();
    TSizingHandleScope rotating(TSizingHandle::szRotate);
    Shape(stRectangle);
    O->SetAlphaPlain(QuarterTurn);
    O->DrawShadow();
    std::vector<TPoint> path;
    for (const TFig& f : Figures(Records())) path.insert(path.end(), f.Pts.begin(), f.Pts.end());
    EXPECT_EQ(path, (std::vector<TPoint>{{0, 0}, {19, 0}, {20, 0}, {20, 19}, {20, 20}, {1, 20},
                                         {0, 20}, {0, 1}, // the turned outline, then the cross
                                         {15, -5}, {15, 35}, {-5, 35}, {-5, -5},
                                         {20, 5}, {0, 5}, {10, -5}, {10, 15}}));
}

TEST_F(PointDraw, BitmapsClippedStretchedTransparentAndOutlined) {
    SetBitmap();
    O->Show();
    Gen().SetOptions({TGeneratorOption::goStretchPicture});
    O->Show();
    Gen().SetBrush({clGreen, TBrushStyle::bsClear});
    Gen().SetPen({clBlue, 1, TPenStyle::psClear, TPenMode::pmCopy});
    O->Show();
    const auto* bmp = static_cast<const TBitmap*>(Gen().Picture().Graphic());
    EXPECT_TRUE(bmp->Transparent());
    EXPECT_EQ(bmp->TransparentColor(), clRed); // the top-left pixel
    const auto rs = Records();
    EXPECT_TRUE(Before(rs, emr::STRETCHDIBITS, emr::EXTSELECTCLIPRGN));
    // Own size, then stretched, each outlined; a clear pen draws no outline.
    const TFig big = Fig(emr::STRETCHDIBITS, {0, 0, 40, 20});
    EXPECT_EQ(Figures(rs), (Figs{Fig(emr::STRETCHDIBITS, {0, 0, 4, 2}), Rect40, big, Rect40, big}));
}

TEST_F(PointDraw, MirroredViewsShowPicturesUnmirroredInTheBox) {
    SetBitmap();
    Gen().SetOptions({TGeneratorOption::goStretchPicture});
    Box->ScaleSetting().SetOrigin(TOrigin::RightTop); // x runs leftwards from device 500
    Cv->SetMapMode(TMapMode::mmAnisotropic);
    Cv->SetViewportOrg({500, 0});
    Cv->SetViewportExt({-1, 1});
    O->Show(); // the box lies at device x 370..410
    const auto rs = Records();
    const TEmfRecord* org = Before(rs, emr::STRETCHDIBITS, emr::SETWINDOWORGEX);
    EXPECT_EQ((TPoint{org->Int(8), org->Int(12)}), (TPoint{130, -45})); // local 0 at device 370
    const TEmfRecord* vp = Before(rs, emr::STRETCHDIBITS, emr::SETVIEWPORTEXTEX);
    EXPECT_TRUE(!vp || vp->Int(8) == 1);
    EXPECT_EQ(Figures(rs)[0], Fig(emr::STRETCHDIBITS, {0, 0, 40, 20}));
    EXPECT_EQ(Last(rs, emr::SETVIEWPORTEXTEX)->Int(8), -1); // mirrored again for the outline
}

TEST_F(PointDraw, MetafilesTurnTheOtherWayInAMirroredView) {
    auto mf = std::make_unique<TMetafile>();
    mf->SetWidth(40);
    mf->SetHeight(20);
    TMetafileCanvas(*mf).Rectangle({0, 0, 40, 20});
    Gen().Picture().SetGraphic(std::move(mf));
    Gen().SetPen({clBlue, 1, TPenStyle::psClear, TPenMode::pmCopy});
    Gen().SetOptions({TGeneratorOption::goRotation});
    O->Show();
    O->SetAlphaPlain(QuarterTurn);
    O->Show();
    Box->ScaleSetting().SetOrigin(TOrigin::RightTop);
    O->Show();
    const Figs f = Figures(Records());
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0], Rect40);
    // About the hot spot (10, 5); unmirrored about (30, 5) and the other way.
    EXPECT_EQ(GetPolygonLimits(f[1].Pts), (TLimRec{-5, -5, 15, 35}));
    EXPECT_EQ(GetPolygonLimits(f[2].Pts), (TLimRec{25, -5, 45, 35}));
}

TEST_F(PointDraw, PrintingDrawsShadowColoursAndThePicture) {
    Gen().SetOptions({TGeneratorOption::goShadows});
    O->Print();
    SetBitmap();
    O->Print();
    int drawn = 0;
    Tool->OnObjectDraw = [&](TvlObject*) { ++drawn; };
    O->Print(); // the application draws instead of the picture
    O->SetVisible(false);
    O->Print();
    EXPECT_EQ(drawn, 1);
    // Shadow and shape; shadow, picture and outline; shadow.
    EXPECT_EQ(Figures(Records()),
              (Figs{Rect40, Rect40, Rect40, Fig(emr::STRETCHDIBITS, {0, 0, 4, 2}), Rect40, Rect40}));
}

} // namespace

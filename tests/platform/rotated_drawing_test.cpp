#include <gtest/gtest.h>

#include <algorithm>

#include "foundations/figure_log_canvas.h"
#include "support/emf_image.h"
#include "velloran/foundations/rotation.h"
#include "velloran/platform/detail/emf_bytes.h"
#include "velloran/platform/detail/emf_reader.h"
#include "velloran/platform/detail/emf_records.h"
#include "velloran/platform/emf_header.h"
#include "velloran/platform/graphics.h"
#include "velloran/platform/metafile_canvas.h"
#include "velloran/platform/rotated_drawing.h"

namespace vl::test {
namespace {

TEST(RotatedPnts, RectangleAndEllipse) {
    EXPECT_EQ(Points(*RotatedPnts_Rectangle({0, 0, 10, 20}, {0, 0}, pi / 2)),
              (Pts{{0, 0}, {0, 10}, {-20, 10}, {-20, 0}}));
    auto list = RotatedPnts_Ellipse({0, 0, 100, 50}, {0, 0}, 0);
    ASSERT_EQ(list->Count(), 2 * Rot_OutlineDiv);
    EXPECT_EQ(list->GetPoints(0), (TPoint{100, 25}));
    EXPECT_EQ(list->GetPoints(8), (TPoint{50, 50})); // θ = π/2, bottom on a y-down device
    // Real outline points are turned before rounding.
    list = RotatedPnts_Ellipse({0, 0, 100, 50}, {50, 25}, pi / 2);
    EXPECT_EQ(list->GetPoints(0), (TPoint{50, 75}));
}

TEST(RotatedPnts, RoundRectCornersUseTheirOwnHalfAxes) {
    auto list = RotatedPnts_RoundRect({0, 0, 100, 100}, 40, 40, {0, 0}, 0);
    ASSERT_EQ(list->Count(), 16);
    EXPECT_EQ(list->GetPoints(1), (TPoint{3, 10}));
    EXPECT_EQ(list->GetPoints(2), (TPoint{10, 3}));
    EXPECT_EQ(list->GetPoints(15), (TPoint{0, 80}));
    list = RotatedPnts_RoundRect({0, 0, 100, 100}, 20, 60, {0, 0}, 0);
    EXPECT_EQ(list->GetPoints(0), (TPoint{0, 30}));
    EXPECT_EQ(list->GetPoints(3), (TPoint{10, 0}));
}

TEST(RotatedPnts, ArcRunsFromEndToStartThroughIncreasingAngle) {
    // Start on the right, end on the left: the device's arc is the upper half.
    auto list = RotatedPnts_Arc({0, 0, 100, 100}, {100, 50}, {0, 50}, {0, 0}, 0);
    ASSERT_EQ(list->Count(), Rot_OutlineDiv + 1);
    EXPECT_EQ(list->First(), (TPoint{0, 50}));
    EXPECT_EQ(list->GetPoints(8), (TPoint{50, 0}));
    EXPECT_EQ(list->Last(), (TPoint{100, 50}));
    // Swapped: the lower half.
    list = RotatedPnts_Arc({0, 0, 100, 100}, {0, 50}, {100, 50}, {0, 0}, 0);
    EXPECT_EQ(list->GetPoints(8), (TPoint{50, 100}));
    // Start and end on one ray: a single point, not a full turn.
    list = RotatedPnts_Arc({0, 0, 100, 100}, {100, 0}, {150, -50}, {0, 0}, 0);
    EXPECT_EQ(Points(*list), (Pts{{85, 15}}));
    // On a flat ellipse the end lies on the ray through (200, 0) from the
    // centre (100, 50): parametric angle -π/4, not the ray's own angle.
    list = RotatedPnts_Arc({0, 0, 200, 100}, {200, 0}, {0, 50}, {0, 0}, 0);
    EXPECT_EQ(list->Last(), (TPoint{171, 15}));
}

TEST(RotatedDrawing, EllipseOfASquareBoxIsATrueCircle) {
    TFigureLogCanvas dc;
    Rotated_Ellipse(dc, {10, 0, 20, 10}, {0, 0}, pi / 2); // centre (15, 5) turns to (-5, 15)
    Rotated_Ellipse(dc, {20, 10, 10, 0}, {0, 0}, 0);      // unnormalised
    Rotated_Circle(dc, {10, 10}, 5, {0, 0}, 0);           // odd diameter keeps its size
    Rotated_Ellipse(dc, {0, 0, 20, 10}, {0, 0}, 0);
    Rotated_Arc(dc, {0, 0, 20, 10}, {20, 5}, {0, 5}, {0, 0}, 0);
    ASSERT_EQ(dc.Log.size(), 5u);
    EXPECT_EQ(dc.Log[0].Kind, "Ellipse");
    EXPECT_EQ(dc.Log[0].Points, (Pts{{-10, 10}, {0, 20}}));
    EXPECT_EQ(dc.Log[1].Points, (Pts{{10, 0}, {20, 10}}));
    EXPECT_EQ(dc.Log[2].Points, (Pts{{8, 8}, {13, 13}}));
    EXPECT_EQ(dc.Log[3].Kind, "Polygon");
    EXPECT_EQ(dc.Log[4].Kind, "Polyline"); // an arc stays open
}

TEST(RotatedDrawing, TextUsesAnEscapedFontAndRestoresTheCanvasFont) {
    TFigureLogCanvas dc;
    const TFont before{.Name = u"Courier New"};
    dc.SetFont(before);
    const TFont f{.Name = u"DEFAULT", .Height = -20, .Style = fsBold | fsUnderline, .Color = clRed};
    Rotated_TextOut(dc, u"Hi", f, {10, 0}, {0, 0}, pi / 2);
    ASSERT_EQ(dc.Log.size(), 1u);
    EXPECT_EQ(dc.Log[0].Points, (Pts{{0, 10}})); // P turns with the text
    TFont escaped = f;
    escaped.Name = PlatformDefaultFontName;
    escaped.Escapement = -900; // clockwise on a y-down device
    EXPECT_EQ(dc.Log[0].Font, escaped);
    EXPECT_EQ(dc.Font(), before);
}

TEST(RotatedBitmap, EverySourcePixelLandsOnce) {
    // Source pixel (x, y) has colour RGB(x, y, 7), so each pixel tells where it came from.
    TBitmap src(10, 20);
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 10; ++x) src.SetPixel(x, y, RGB(uint8_t(x), uint8_t(y), 7));
    TPoint offset;
    auto turned = CreateRotatedBitmap(src, {0, 0}, pi / 2, offset);
    ASSERT_EQ(TSize(turned->Width(), turned->Height()), TSize(20, 10));
    EXPECT_EQ(offset, (TPoint{-20, 0}));
    // The source's left column becomes the top row, read from the bottom.
    for (int32_t ty = 0; ty < 10; ++ty)
        for (int32_t tx = 0; tx < 20; ++tx)
            ASSERT_EQ(turned->Pixel(tx, ty), RGB(uint8_t(ty), uint8_t(19 - tx), 7))
                << tx << "," << ty;
    // A half turn about the bottom right corner: the same box, mirrored.
    turned = CreateRotatedBitmap(src, {10, 20}, pi, offset);
    EXPECT_EQ(offset, (TPoint{0, 0}));
    EXPECT_EQ(turned->Pixel(0, 0), RGB(9, 19, 7));
    EXPECT_EQ(turned->Pixel(9, 19), RGB(0, 0, 7));
    // Corners from outside the source take the colour that a clear brush
    // makes transparent (the top left pixel), fixed in the result, so a
    // transparent turned picture shows nothing there.
    turned = CreateRotatedBitmap(src, {0, 0}, pi / 4, offset);
    EXPECT_EQ(turned->Pixel(0, 0), RGB(0, 0, 7));
    EXPECT_EQ(turned->TransparentMode(), TTransparentMode::tmFixed);
    EXPECT_EQ(turned->TransparentColor(), RGB(0, 0, 7));
    // A colour the application chose stays the one.
    src.SetTransparentColor(clLime);
    turned = CreateRotatedBitmap(src, {0, 0}, pi / 4, offset);
    EXPECT_EQ(turned->Pixel(0, 0), clLime);
    EXPECT_EQ(turned->TransparentColor(), clLime);
    EXPECT_EQ(CreateRotatedBitmap(TIcon(), {0, 0}, 1.0, offset), nullptr);
}

TEST(RotatedMetafile, FiguresAndLinesTurnAboutThePivot) {
    TMetafile mf;
    mf.SetWidth(100);
    mf.SetHeight(50);
    {
        TMetafileCanvas c(mf);
        c.Rectangle({10, 10, 30, 20});
        const TPoint line[] = {{10, 10}, {20, 10}};
        c.Polyline(line);
        c.MoveTo(10, 10);
        c.LineTo(10, 0);
        c.Ellipse({20, 0, 40, 20});
    }
    TFigureLogCanvas dc;
    Rotated_Metafile(dc, mf, {10, 10}, pi / 2);
    ASSERT_EQ(dc.Log.size(), 5u);
    EXPECT_EQ(dc.Log[0].Kind, "Polygon");
    EXPECT_EQ(dc.Log[0].Points, (Pts{{10, 10}, {10, 30}, {0, 30}, {0, 10}}));
    EXPECT_EQ(dc.Log[3].Kind, "LineTo");
    EXPECT_EQ(dc.Log[3].Points, (Pts{{20, 10}}));
    EXPECT_EQ(dc.Log[4].Kind, "Ellipse");
    EXPECT_EQ(dc.Log[4].Points, (Pts{{0, 20}, {20, 40}}));
}

TEST(RotatedMetafile, TextTurnsWithItsFontAboutThePicturesCorner) {
    // Without a fixed size the picture's bounds begin where its drawing
    // does, here at (20, 10); the pivot (0, 0) is that corner.
    TMetafile mf;
    {
        TMetafileCanvas c(mf);
        c.Font().Name = u"ms sans serif";
        c.Font().Escapement = 100;
        c.Font().Orientation = 250;
        c.TextOut(20, 10, u"A");
        c.Pen().Style = TPenStyle::psClear;
        c.Rectangle({20, 10, 30, 20});
    }
    TFigureLogCanvas dc;
    Rotated_Metafile(dc, mf, {0, 0}, pi / 2);
    ASSERT_EQ(dc.Log.size(), 2u);
    EXPECT_EQ(dc.Log[0].Points, (Pts{{0, 0}}));
    EXPECT_EQ(dc.Log[0].Font.Escapement, 100 - 900); // the characters keep their orientation
    EXPECT_EQ(dc.Log[0].Font.Orientation, 250);
    EXPECT_EQ(dc.Log[0].Font.Name, u"ARIAL");
    EXPECT_EQ(dc.Log[1].Points[2], (TPoint{-10, 10}));
}

TEST(RotatedText, RecordedTheFontHasEscapementOnly) {
    TMetafile mf;
    {
        TMetafileCanvas c(mf);
        Rotated_TextOut(c, u"Hi", TFont{}, {10, 0}, {0, 0}, pi / 2);
    }
    const auto recs = EmfRecords(mf);
    const auto font = std::find_if(recs.begin(), recs.end(),
                                   [](const TEmfRecord& r) { return r.Type() == emr::EXTCREATEFONTINDIRECTW; });
    ASSERT_NE(font, recs.end());
    EXPECT_EQ(std::pair(font->Int(20), font->Int(24)), std::pair(-900, 0));
}

TEST(RotatedMetafile, SixteenBitPolygonsTurnToo) {
    // Other programs record small coordinates in 16 bits.
    std::vector<uint8_t> rec;
    for (uint32_t v : {emr::POLYGON16, 40u, 10u, 10u, 20u, 20u, 3u}) bytes::PutU32(rec, v);
    for (uint16_t v : {10, 10, 20, 10, 10, 20}) bytes::PutU16(rec, v);
    TMetafile mf;
    mf.SetData(EmfImage({0, 0, 99, 49}, rec, 1));
    TFigureLogCanvas dc;
    Rotated_Metafile(dc, mf, {10, 10}, pi / 2);
    ASSERT_EQ(dc.Log.size(), 1u);
    EXPECT_EQ(dc.Log[0].Points, (Pts{{10, 10}, {10, 20}, {0, 10}}));
}

} // namespace
} // namespace vl::test

#include <gtest/gtest.h>

#include "velloran/platform/detail/emf_reader.h"
#include "velloran/platform/detail/emf_records.h"
#include "velloran/platform/metafile_canvas.h"

using namespace vl;

namespace {
std::vector<uint32_t> Types(const TMetafile& mf) {
    std::vector<uint32_t> t;
    for (const auto& r : EmfRecords(mf))
        t.push_back(r.Type());
    return t;
}
std::vector<uint8_t> Bytes(const TEmfRecord& r) {
    return {r.Bytes.begin(), r.Bytes.end()};
}
} // namespace

TEST(MetafileCanvas, RectangleRecordAndHeaderBytes) {
    TMetafile mf;
    {
        TMetafileCanvas c(mf);
        c.Rectangle({10, 20, 110, 70});
    }
    const auto recs = EmfRecords(mf);
    ASSERT_EQ(Types(mf), (std::vector<uint32_t>{emr::HEADER, emr::SETBKMODE, emr::CREATEPEN,
                                                emr::SELECTOBJECT, emr::CREATEBRUSHINDIRECT,
                                                emr::SELECTOBJECT, emr::RECTANGLE, emr::EOF_}));
    EXPECT_EQ(Bytes(recs[6]), (std::vector<uint8_t>{43, 0, 0, 0, 24,  0, 0, 0, 10, 0, 0, 0,
                                                    20, 0, 0, 0, 110, 0, 0, 0, 70, 0, 0, 0}));
    // Pen: handle 1, solid, width 1, black. Brush: handle 2, solid white.
    EXPECT_EQ(Bytes(recs[2]), (std::vector<uint8_t>{38, 0, 0, 0, 28, 0, 0, 0, 1, 0, 0, 0, 0, 0,
                                                    0,  0, 1, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Bytes(recs[4]), (std::vector<uint8_t>{39, 0, 0, 0, 24,   0,    0,    0, 2, 0, 0, 0,
                                                    0,  0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0}));
    const TEmfRecord& h = recs[0];
    EXPECT_EQ(h.Size(), 108u);
    // Bounds in device pixels, inclusive, widened by half the pen (0 here).
    EXPECT_EQ(EmfRect(h, 8), (TRect{10, 20, 109, 69}));
    // Frame in 0.01 mm on a 96-dpi device: 10 px = 264.58.
    EXPECT_EQ(EmfRect(h, 24), (TRect{265, 529, 2909, 1851}));
    EXPECT_EQ(h.DWord(40), 0x464D4520u);
    EXPECT_EQ(h.DWord(48), mf.Data().size());
    EXPECT_EQ(h.DWord(52), 8u);
    EXPECT_EQ(h.DWord(56) & 0xFFFF, 3u);
    EXPECT_EQ(h.Int(72), 1920);
    EXPECT_EQ(h.Int(80), 508);
    EXPECT_EQ(h.Int(100), 508000);
    EXPECT_EQ(mf.Width(), 100);
    EXPECT_EQ(mf.Height(), 50);
    EXPECT_EQ(mf.MMWidth(), 2645);
}

namespace {
// Records after the header and the opening background-mode record.
std::vector<std::pair<uint32_t, int32_t>> Body(const TMetafile& mf) {
    std::vector<std::pair<uint32_t, int32_t>> out;
    const auto recs = EmfRecords(mf);
    for (size_t i = 2; i + 1 < recs.size(); ++i)
        out.push_back({recs[i].Type(), recs[i].Int(8)});
    return out;
}
using Rec = std::pair<uint32_t, int32_t>;
} // namespace

TEST(MetafileCanvas, MappingIsRecordedWhenItChangesModeFirst) {
    TMetafile mf;
    {
        TMetafileCanvas c(mf);
        c.SetWindowExt({10, 10}); // before the mode: still recorded after it
        c.SetMapMode(TMapMode::mmAnisotropic);
        c.SetViewportExt({5, 5});
        c.SetWindowOrg({100, 0});
        c.MoveTo(0, 0);
        c.LineTo(10, 10);
        c.SetWindowOrg({200, 0});
        c.LineTo(20, 20);
    }
    EXPECT_EQ(Body(mf), (std::vector<Rec>{
        {emr::SETMAPMODE, 8}, {emr::SETWINDOWEXTEX, 10}, {emr::SETVIEWPORTEXTEX, 5},
        {emr::SETWINDOWORGEX, 100}, {emr::MOVETOEX, 0}, {emr::CREATEPEN, 1},
        {emr::SELECTOBJECT, 1}, {emr::LINETO, 10}, {emr::SETWINDOWORGEX, 200}, {emr::LINETO, 20}}));
    // Bounds in device pixels of the mapping in force for each figure.
    EXPECT_EQ(EmfRect(EmfRecords(mf)[0]), (TRect{-95, 0, -45, 10}));
}

TEST(MetafileCanvas, ToolsAreRecordedOnlyWhenTheyChange) {
    TMetafile mf;
    {
        TMetafileCanvas c(mf);
        c.Rectangle({0, 0, 10, 10});
        c.Ellipse({0, 0, 10, 10});
        c.Pen().Color = clRed;
        c.Pen().Mode = TPenMode::pmNotXor;
        c.LineTo(5, 5);
        c.SetPolyFillMode(TPolyFillMode::WINDING);
        c.Brush().Style = TBrushStyle::bsClear;
        const TPoint tri[] = {{0, 0}, {5, 0}, {0, 5}};
        c.Polygon(tri);
        c.Pen().Mode = TPenMode::pmCopy;
        c.Polyline(tri);
    }
    EXPECT_EQ(Body(mf), (std::vector<Rec>{
        {emr::CREATEPEN, 1}, {emr::SELECTOBJECT, 1}, {emr::CREATEBRUSHINDIRECT, 2},
        {emr::SELECTOBJECT, 2}, {emr::RECTANGLE, 0}, {emr::ELLIPSE, 0}, {emr::SETROP2, 10},
        {emr::CREATEPEN, 3}, {emr::SELECTOBJECT, 3}, {emr::DELETEOBJECT, 1}, {emr::LINETO, 5},
        {emr::SETPOLYFILLMODE, 2}, {emr::CREATEBRUSHINDIRECT, 1}, {emr::SELECTOBJECT, 1},
        {emr::DELETEOBJECT, 2}, {emr::POLYGON, 0}, {emr::SETROP2, 13}, {emr::POLYLINE, 0}}));
    const auto recs = EmfRecords(mf);
    EXPECT_EQ(recs[2 + 7].DWord(24), 0x0000FFu); // red pen
    EXPECT_EQ(recs[2 + 12].DWord(12), 1u);       // hollow brush
    EXPECT_EQ(EmfPoints(recs[2 + 15]), (std::vector<TPoint>{{0, 0}, {5, 0}, {0, 5}}));
    EXPECT_EQ(EmfRect(recs[2 + 15]), (TRect{0, 0, 5, 5})); // the record's own bounds
}

TEST(MetafileCanvas, ObjectsSelectedInASavedStateOutliveTheirReplacement) {
    TMetafile mf;
    {
        TMetafileCanvas c(mf);
        c.Rectangle({0, 0, 10, 10});
        EXPECT_EQ(c.SaveDC(), 1);
        c.Pen().Color = clRed;
        c.LineTo(5, 5);
        c.RestoreDC(-1);
        EXPECT_EQ(c.Pen().Color, clBlack);
        c.Rectangle({0, 0, 10, 10});
    }
    const auto body = Body(mf);
    EXPECT_EQ(std::vector<Rec>(body.begin() + 5, body.end()),
              (std::vector<Rec>{{emr::SAVEDC, 0},
                                {emr::CREATEPEN, 3},
                                {emr::SELECTOBJECT, 3},
                                {emr::LINETO, 5},
                                {emr::RESTOREDC, -1},
                                {emr::DELETEOBJECT, 3},
                                {emr::RECTANGLE, 0}}));
    EXPECT_EQ(EmfRecords(mf)[0].DWord(56) & 0xFFFF, 4u); // handle table: 0..3
}

TEST(MetafileCanvas, TextRecordAndHeadlessMetrics) {
    TMetafile mf;
    TMetafileCanvas c(mf);
    c.Font().Height = -20;
    c.Font().Style = fsBold;
    c.Font().Color = clGreen;
    EXPECT_EQ(c.TextExtent(u"abc"), (TSize{33, 20})); // advance Round(20 * 0.5 * 1.1)
    c.Font().Pitch = TFontPitch::fpFixed;
    EXPECT_EQ(c.TextExtent(u"abc"), (TSize{39, 20})); // Round(20 * 0.6 * 1.1)
    c.Font().Pitch = TFontPitch::fpDefault;
    c.Font().Style = 0;
    c.Font().Height = 0;
    EXPECT_EQ(c.TextExtent(u"ab"), (TSize{12, 11})); // the default cell of 11
    c.Font().Height = -20;
    c.TextOut(5, 6, u"abc");
    c.Close();
    const auto body = Body(mf);
    ASSERT_EQ(body.size(), 4u);
    EXPECT_EQ(body[0], (Rec{emr::SETTEXTCOLOR, clGreen}));
    EXPECT_EQ(body[1].first, emr::EXTCREATEFONTINDIRECTW);
    const auto recs = EmfRecords(mf);
    const TEmfRecord& font = recs[3];
    EXPECT_EQ(font.Size(), 104u);
    EXPECT_EQ(font.Int(12), -20);
    EXPECT_EQ(font.Int(28), 400);
    EXPECT_EQ(font.DWord(40), 0x00720041u); // "Ar"
    const TEmfRecord& text = recs[5];
    EXPECT_EQ(EmfText(text), u"abc");
    EXPECT_EQ(EmfTextOrigin(text), (TPoint{5, 6}));
    EXPECT_EQ(EmfRect(text), (TRect{5, 6, 34, 25}));
    EXPECT_EQ(text.DWord(emrtext::OffDx), 84u);
    EXPECT_EQ(text.Int(84), 10);
    EXPECT_EQ(text.Size(), 96u);
}

TEST(MetafileCanvas, ClipBoxFollowsClippingAndSavedStates) {
    TMetafile mf;
    TMetafileCanvas c(mf);
    c.SetMapMode(TMapMode::mmAnisotropic);
    c.SetWindowExt({2, 2});
    c.SetViewportExt({1, 1});
    EXPECT_EQ(c.GetClipBox(), (TRect{0, 0, 3840, 2160}));
    c.SaveDC();
    c.IntersectClipRect({10, 20, 100, 60});
    EXPECT_EQ(c.GetClipBox(), (TRect{10, 20, 100, 60}));
    c.IntersectClipRect({50, 0, 500, 500});
    EXPECT_EQ(c.GetClipBox(), (TRect{50, 20, 100, 60}));
    c.RestoreDC(1);
    EXPECT_EQ(c.GetClipBox(), (TRect{0, 0, 3840, 2160}));
    const TRegion rgn = TRegion::CreateRect({5, 5, 15, 25});
    c.SelectClipRgn(&rgn);
    EXPECT_EQ(c.GetClipBox(), (TRect{10, 10, 30, 50}));
    c.SelectClipRgn(nullptr);
    EXPECT_EQ(c.GetClipBox(), (TRect{0, 0, 3840, 2160}));
    EXPECT_EQ(c.GetPixel(1, 1), clNone);
    TBitmap out;
    EXPECT_FALSE(c.CopyToBitmap({0, 0, 1, 1}, out));
    EXPECT_EQ(c.GetDeviceCaps(TDeviceCap::LOGPIXELSY), 96);
    EXPECT_EQ(c.GetDeviceCaps(TDeviceCap::VERTSIZE), 286);
}

TEST(MetafileCanvas, RegionsAreRecordedAsLogicalRectangles) {
    TMetafile mf;
    {
        TMetafileCanvas c(mf);
        c.SetMapMode(TMapMode::mmAnisotropic);
        c.SetWindowExt({2, 2});
        c.SetViewportExt({1, 1});
        c.FillRgn(TRegion::CreateEllipse({0, 0, 4, 4}), TBrush{clRed, TBrushStyle::bsSolid});
        c.FillRect({0, 0, 8, 6});
    }
    const auto recs = EmfRecords(mf);
    const TEmfRecord* fill = nullptr;
    for (const auto& r : recs)
        if (r.Type() == emr::FILLRGN && !fill) fill = &r;
    ASSERT_NE(fill, nullptr);
    // Ellipse of 4 x 4 pixels: rows 0 and 3 hold 1..3, rows 1 and 2 all four.
    ASSERT_EQ(fill->DWord(32 + 8), 3u);
    EXPECT_EQ(EmfRect(*fill, 64), (TRect{2, 0, 6, 2}));
    EXPECT_EQ(EmfRect(*fill, 80), (TRect{0, 2, 8, 6}));
    EXPECT_EQ(EmfRect(*fill, 96), (TRect{2, 6, 6, 8}));
    // The region's brush is a temporary object; FillRect uses the canvas brush.
    const size_t at = static_cast<size_t>(fill - recs.data());
    EXPECT_EQ(recs[at - 1].Type(), emr::CREATEBRUSHINDIRECT);
    EXPECT_EQ(recs[at + 1].Type(), emr::DELETEOBJECT);
}

TEST(MetafileCanvas, PresetSizeFixesTheBounds) {
    TMetafile mf;
    mf.SetWidth(300);
    mf.SetHeight(200);
    {
        TMetafileCanvas c(mf);
        c.Rectangle({-50, -50, 1000, 1000});
    }
    EXPECT_EQ(mf.Width(), 300);
    EXPECT_EQ(mf.Height(), 200);
    TMetafile empty;
    { TMetafileCanvas c(empty); }
    EXPECT_EQ(empty.Width(), 0);
    EXPECT_EQ(EmfRecords(empty).size(), 3u);
}

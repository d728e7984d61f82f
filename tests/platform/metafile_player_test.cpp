#include <gtest/gtest.h>

#include "support/emf_image.h"
#include "velloran/platform/detail/emf_bytes.h"
#include "velloran/platform/detail/emf_objects.h"
#include "velloran/platform/detail/emf_reader.h"
#include "velloran/platform/detail/emf_records.h"
#include "velloran/platform/emf_header.h"
#include "velloran/platform/metafile_canvas.h"
#include "velloran/platform/metafile_player.h"

using namespace vl;

namespace {
const TEmfRecord* Find(const std::vector<TEmfRecord>& recs, uint32_t type, int nth = 0) {
    for (const auto& r : recs)
        if (r.Type() == type && nth-- == 0) return &r;
    return nullptr;
}

// A drawing 200 x 100 pixels, with a mapping of two logical units per pixel.
TMetafile Drawing() {
    TMetafile mf;
    mf.SetWidth(200);
    mf.SetHeight(100);
    TMetafileCanvas c(mf);
    c.SetMapMode(TMapMode::mmAnisotropic);
    c.SetWindowExt({2, 2});
    c.SetViewportExt({1, 1});
    c.Pen().Width = 4;
    c.Rectangle({0, 0, 100, 40});
    c.Ellipse({20, 20, 60, 80});
    const TPoint line[] = {{0, 0}, {400, 200}, {200, 0}};
    c.Polyline(line);
    c.Font().Height = -20;
    c.TextOut(40, 60, u"Hi");
    c.Arc({0, 0, 40, 40}, {40, 20}, {0, 20});
    return mf;
}
} // namespace

TEST(MetafilePlayer, PlaybackScalesOntoTheTargetRectangle) {
    const TMetafile src = Drawing();
    ASSERT_EQ(src.Width(), 200);
    TMetafile out;
    {
        TMetafileCanvas c(out);
        PlayEnhMetaFile(c, src, {1000, 2000, 1400, 2200}); // twice the size
    }
    const auto recs = EmfRecords(out);
    ASSERT_NE(Find(recs, emr::RECTANGLE), nullptr);
    EXPECT_EQ(EmfRect(*Find(recs, emr::RECTANGLE)), (TRect{1000, 2000, 1100, 2040}));
    EXPECT_EQ(EmfRect(*Find(recs, emr::ELLIPSE)), (TRect{1020, 2020, 1060, 2080}));
    EXPECT_EQ(EmfPoints(*Find(recs, emr::POLYLINE)),
              (std::vector<TPoint>{{1000, 2000}, {1400, 2200}, {1200, 2000}}));
    EXPECT_EQ(EmfTextOrigin(*Find(recs, emr::EXTTEXTOUTW)), (TPoint{1040, 2060}));
    EXPECT_EQ(EmfText(*Find(recs, emr::EXTTEXTOUTW)), u"Hi");
    EXPECT_EQ(Find(recs, emr::CREATEPEN)->Int(16), 4); // 4 logical = 2 px = 4 destination units
    EXPECT_EQ(Find(recs, emr::EXTCREATEFONTINDIRECTW)->Int(12), -20);
    const TEmfRecord* arc = Find(recs, emr::ARC);
    EXPECT_EQ(arc->Int(24), 1040);
    EXPECT_EQ(arc->Int(32), 1000);
    // The destination's state is saved around the playback.
    EXPECT_NE(Find(recs, emr::SAVEDC), nullptr);
    EXPECT_NE(Find(recs, emr::RESTOREDC), nullptr);
}

TEST(MetafilePlayer, CallbackMayChangeRecordsOrStop) {
    const TMetafile src = Drawing();
    TMetafile out;
    std::vector<uint32_t> seen;
    bool finished;
    {
        TMetafileCanvas c(out);
        finished = EnumEnhMetaFile(
            c, src, {0, 0, 200, 100}, [&](TMetafilePlayer& dc, const TEmfRecord& rec) {
                seen.push_back(rec.Type());
                if (rec.Type() == emr::POLYLINE) return false;
                if (rec.Type() != emr::RECTANGLE) {
                    dc.PlayRecord(rec);
                    return true;
                }
                // The metafile's own mapping is in force: two logical units per pixel.
                EXPECT_EQ(dc.DPtoLP(TPoint{50, 25}), (TPoint{100, 50}));
                EXPECT_EQ(dc.ToDest({100, 50}), (TPoint{50, 25}));
                std::vector<uint8_t> copy(rec.Bytes.begin(), rec.Bytes.end());
                copy[8] = 60; // left edge moved
                dc.PlayRecord({copy});
                return true;
            });
    }
    EXPECT_FALSE(finished);
    EXPECT_EQ(seen.back(), emr::POLYLINE);
    const auto recs = EmfRecords(out);
    EXPECT_EQ(EmfRect(*Find(recs, emr::RECTANGLE)), (TRect{30, 0, 50, 20}));
    EXPECT_NE(Find(recs, emr::ELLIPSE), nullptr);
    EXPECT_EQ(Find(recs, emr::POLYLINE), nullptr);
    EXPECT_EQ(Find(recs, emr::EXTTEXTOUTW), nullptr);
}

TEST(MetafilePlayer, MirroredTargetKeepsArcsOnTheSameSide) {
    const TMetafile src = Drawing();
    TMetafile out;
    {
        TMetafileCanvas c(out);
        PlayEnhMetaFile(c, src, {200, 0, 0, 100}); // mirrored left to right
    }
    const auto recs = EmfRecords(out);
    EXPECT_EQ(EmfRect(*Find(recs, emr::RECTANGLE)), (TRect{150, 0, 200, 20}));
    // The arc's end points swap, or it would be drawn on the other side.
    const TEmfRecord* arc = Find(recs, emr::ARC);
    EXPECT_EQ((TPoint{arc->Int(24), arc->Int(28)}), (TPoint{200, 10}));
    EXPECT_EQ((TPoint{arc->Int(32), arc->Int(36)}), (TPoint{180, 10}));
}

TEST(MetafilePlayer, PicturesRegionsAndNestedMetafilesPlayThrough) {
    TBitmap bmp(2, 1, clRed);
    bmp.SetPixel(1, 0, clBlue);
    bmp.SetTransparent(true); // bottom-left red is see-through
    TMetafile inner;
    {
        TMetafileCanvas c(inner);
        c.Rectangle({0, 0, 10, 10});
    }
    TMetafile src;
    src.SetWidth(100);
    src.SetHeight(100);
    {
        TMetafileCanvas c(src);
        c.StretchDraw({10, 10, 30, 20}, bmp);
        c.FillRgn(TRegion::CreateRect({0, 0, 4, 2}), TBrush{clBlue, TBrushStyle::bsSolid});
        c.StretchDraw({50, 50, 70, 70}, inner);
    }
    TMetafile out;
    {
        TMetafileCanvas c(out);
        PlayEnhMetaFile(c, src, {0, 0, 300, 300});
    }
    const auto recs = EmfRecords(out);
    const TEmfRecord* dib = Find(recs, emr::STRETCHDIBITS);
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ((TRect{dib->Int(24), dib->Int(28), dib->Int(72), dib->Int(76)}),
              (TRect{30, 30, 60, 30}));
    const auto srcRecs = EmfRecords(src);
    const TEmfRecord* orig = Find(srcRecs, emr::STRETCHDIBITS);
    // See-through pixels are recorded with an alpha channel, and played unchanged.
    EXPECT_EQ(orig->Bytes[80 + 14], 32); // depth
    EXPECT_EQ(std::vector<uint8_t>(orig->Bytes.begin() + 120, orig->Bytes.end()),
              (std::vector<uint8_t>{0, 0, 0xFF, 0, 0xFF, 0, 0, 0xFF}));
    EXPECT_TRUE(std::equal(dib->Bytes.begin() + 80, dib->Bytes.end(), orig->Bytes.begin() + 80,
                           orig->Bytes.end()));
    const TEmfRecord* fill = Find(recs, emr::FILLRGN);
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(EmfRect(*fill, 64), (TRect{0, 0, 12, 6}));
    // The inner rectangle fills 50..70 of the source: 150..210 here.
    EXPECT_EQ(EmfRect(*Find(recs, emr::RECTANGLE)), (TRect{150, 150, 210, 210}));
}

TEST(MetafilePlayer, DamagedRecordsAreSkipped) {
    // Every record with each of its counts and offsets blown up plays
    // without reading outside its bytes; so does every prefix of a record.
    auto blownUp = [](std::initializer_list<uint32_t> values, bool prefixes) {
        return [=](TMetafilePlayer& dc, const TEmfRecord& rec) {
            std::vector<uint8_t> copy(rec.Bytes.begin(), rec.Bytes.end());
            for (size_t n = 0; prefixes && n <= copy.size(); ++n)
                dc.PlayRecord({std::span<const uint8_t>(copy.data(), n)});
            for (size_t at = 8; at + 4 <= copy.size(); at += 4)
                for (uint32_t v : values) {
                    auto bad = copy;
                    for (int i = 0; i < 4; ++i) bad[at + i] = static_cast<uint8_t>(v >> (8 * i));
                    dc.PlayRecord({bad});
                }
            return true;
        };
    };
    const TMetafile src = Drawing();
    TMetafile out;
    TMetafileCanvas c(out);
    EnumEnhMetaFile(c, src, {0, 0, 100, 100}, blownUp({0x7F000000u, 0x7FFFFFFFu, 0x80000000u}, true));
    TMetafile pics;
    {
        TMetafileCanvas p(pics);
        p.StretchDraw({0, 0, 4, 4}, TBitmap(2, 2));
        p.FillRgn(TRegion::CreateRect({0, 0, 4, 2}), TBrush{});
        p.FrameRgn(TRegion::CreateEllipse({0, 0, 4, 4}), TBrush{}, 1, 1);
        p.SetPixel(1, 1, clRed);
        p.RoundRect({0, 0, 9, 9}, 2, 2);
        const TPoint pts[] = {{0, 0}, {1, 1}, {2, 0}, {3, 1}};
        const uint32_t counts[] = {2, 2};
        p.PolyPolyline(pts, counts);
        const TRegion clip = TRegion::CreateEllipse({0, 0, 5, 5});
        p.SelectClipRgn(&clip);
    }
    EnumEnhMetaFile(c, pics, {0, 0, 1000, 1000}, blownUp({0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}, false));
    const std::vector<uint8_t> poly = {3, 0, 0, 0, 32, 0, 0, 0, 0,    0,    0,    0,    0, 0, 0, 0,
                                       0, 0, 0, 0, 0,  0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
    EnumEnhMetaFile(c, src, {0, 0, 100, 100}, [&](TMetafilePlayer& dc, const TEmfRecord&) {
        dc.PlayRecord({poly});
        return false;
    });
}

TEST(MetafilePlayer, ClippingStaysInsideThePlayback) {
    TMetafile src;
    {
        TMetafileCanvas c(src);
        c.Rectangle({0, 0, 100, 100});
        c.IntersectClipRect({10, 10, 50, 50});
        const TRegion two = TRegion::CreateEllipse({0, 0, 6, 6});
        c.SelectClipRgn(&two);
    }
    TMetafile out;
    TMetafileCanvas dest(out);
    dest.IntersectClipRect({0, 0, 500, 500});
    TRect during;
    EnumEnhMetaFile(dest, src, {0, 0, 200, 200}, [&](TMetafilePlayer& dc, const TEmfRecord& rec) {
        dc.PlayRecord(rec);
        if (rec.Type() == emr::INTERSECTCLIPRECT) during = dest.GetClipBox();
        return true;
    });
    EXPECT_EQ(during, (TRect{20, 20, 100, 100}));
    EXPECT_EQ(dest.GetClipBox(), (TRect{0, 0, 500, 500}));
    dest.Close();
    const auto recs = EmfRecords(out);
    // The ellipse clip arrives as one polygon region of its scan rectangles.
    const TEmfRecord* sel = Find(recs, emr::EXTSELECTCLIPRGN);
    ASSERT_NE(sel, nullptr);
    EXPECT_GT(sel->DWord(16 + 8), 1u);
}

// A metafile 100 x 100 pixels holding one clip-region record of the given
// rectangles (metafile device pixels).
TMetafile ClipRegionPicture(const std::vector<TRect>& rects) {
    using namespace bytes;
    std::vector<uint8_t> rec;
    PutU32(rec, emr::EXTSELECTCLIPRGN);
    PutU32(rec, static_cast<uint32_t>(16 + 32 + 16 * rects.size()));
    PutU32(rec, static_cast<uint32_t>(32 + 16 * rects.size()));
    PutU32(rec, emf::RGN_COPY);
    for (uint32_t v : {32u, 1u, static_cast<uint32_t>(rects.size()), 0u, 0u, 0u, 0u, 0u}) PutU32(rec, v);
    for (const TRect& r : rects)
        for (int32_t v : {r.Left, r.Top, r.Right, r.Bottom}) PutI32(rec, v);
    TMetafile mf;
    mf.SetData(test::EmfImage({0, 0, 99, 99}, rec, 1));
    return mf;
}

TEST(MetafilePlayer, ClipRegionWorkStopsAtTheDestinationsArea) {
    // Tall rectangles with their tops spread apart: as one region they once
    // made the destination scan two million rows, each crossing every step.
    std::vector<TRect> rects;
    for (int32_t i = 0; i < 250; ++i)
        rects.push_back({2 * i, i % 2 ? -2000000000 : -1999999000, 2 * i + 1, 2000000000});
    const TMetafile src = ClipRegionPicture(rects);
    TMetafile out;
    TMetafileCanvas dest(out);
    dest.IntersectClipRect({0, 0, 300, 200});
    PlayEnhMetaFile(dest, src, {0, 0, 100, 100});
    dest.Close();
    const auto recs = EmfRecords(out);
    const TEmfRecord* sel = Find(recs, emr::EXTSELECTCLIPRGN);
    ASSERT_NE(sel, nullptr);
    // Bounds of the region as the destination recorded it: cut near its area.
    const TRect box{sel->Int(32), sel->Int(36), sel->Int(40), sel->Int(44)};
    EXPECT_EQ(box.Left, 0);
    EXPECT_GE(box.Top, -256);
    EXPECT_LE(box.Bottom, 200 + 256);
    EXPECT_GT(sel->DWord(24), 200u) << "each column stays a rectangle of its own";
}

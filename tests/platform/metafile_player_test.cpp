#include <gtest/gtest.h>

#include "velloran/platform/emf_reader.h"
#include "velloran/platform/emf_records.h"
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
    EXPECT_EQ(EmfPoints(*Find(recs, emr::POLYLINE)), (std::vector<TPoint>{{1000, 2000}, {1400, 2200}, {1200, 2000}}));
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

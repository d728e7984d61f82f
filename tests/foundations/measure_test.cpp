#include <velloran/foundations/measure.h>
#include <velloran/platform/canvas.h>

#include <gtest/gtest.h>

using namespace vl;

namespace {

// Answers only the device size; nothing here draws.
class SizedCanvas : public TCanvas {
public:
    SizedCanvas(int32_t hres, int32_t hsize, int32_t vres, int32_t vsize)
        : FHRes(hres), FHSize(hsize), FVRes(vres), FVSize(vsize) {}
    int32_t GetDeviceCaps(TDeviceCap cap) const override {
        switch (cap) {
        case TDeviceCap::HORZRES: return FHRes;
        case TDeviceCap::HORZSIZE: return FHSize;
        case TDeviceCap::VERTRES: return FVRes;
        case TDeviceCap::VERTSIZE: return FVSize;
        default: return 0;
        }
    }
    void MoveTo(int32_t, int32_t) override {}
    void LineTo(int32_t, int32_t) override {}
    void Polygon(std::span<const TPoint>) override {}
    void Polyline(std::span<const TPoint>) override {}
    void PolyPolyline(std::span<const TPoint>, std::span<const uint32_t>) override {}
    void Rectangle(const TRect&) override {}
    void RoundRect(const TRect&, int32_t, int32_t) override {}
    void Ellipse(const TRect&) override {}
    void Arc(const TRect&, TPoint, TPoint) override {}
    void Chord(const TRect&, TPoint, TPoint) override {}
    void Pie(const TRect&, TPoint, TPoint) override {}
    void FillRect(const TRect&) override {}
    void TextOut(int32_t, int32_t, const String&) override {}
    TSize TextExtent(const String&) override { return {}; }
    void SetPixel(int32_t, int32_t, TColor) override {}
    TColor GetPixel(int32_t, int32_t) const override { return {}; }
    void FillRgn(const TRegion&, const TBrush&) override {}
    void FrameRgn(const TRegion&, const TBrush&, int32_t, int32_t) override {}
    void SelectClipRgn(const TRegion*) override {}
    void IntersectClipRect(const TRect&) override {}
    TRect GetClipBox() const override { return {}; }
    void StretchDraw(const TRect&, const TGraphic&) override {}
    void StretchBitmap(const TRect&, const TBitmap&, const TRect&) override {}
    bool CopyToBitmap(const TRect&, TBitmap&) const override { return false; }

private:
    int32_t FHRes, FHSize, FVRes, FVSize;
};

} // namespace

TEST(Measure, Lg) {
    EXPECT_EQ(lg(100), 2);
    EXPECT_EQ(lg(1000), 3); // callers truncate: must not come out as 2.999...
    EXPECT_DOUBLE_EQ(lg(0.01), -2);
    EXPECT_EQ(lg(0), 0);
    EXPECT_EQ(lg(-1), 0);
}

TEST(Measure, CalcPixPerM) {
    EXPECT_EQ(CalcPixPerM(SizedCanvas(1920, 508, 1080, 286)), (TPoint{3780, 3776}));
    // 96 pixels per inch with the library's inch gives exactly 3750.
    EXPECT_EQ(96 * InchPerMeter(), 3750);
    // A device without a physical size must not divide by zero.
    EXPECT_EQ(CalcPixPerM(SizedCanvas(800, 0, 600, 0)), (TPoint{0, 0}));
}

// Figures land on the device pixels the core's mapping gives, for every
// origin corner and for scales that need rounding.

#include "qt_canvas_fixture.h"

#include "velloran/foundations/round.h"

using namespace vl;

namespace {
struct Corner { const char* Name; bool Right; bool Bottom; };
constexpr Corner Corners[] = {{"top-left", false, false}, {"top-right", true, false},
                              {"bottom-left", false, true}, {"bottom-right", true, true}};
} // namespace

class QtCanvasMapping : public QtCanvasFixture {
protected:
    // Logical units grow away from the chosen corner; device = scale * logical.
    void Map(const Corner& c, int num, int den) {
        Canvas->SetMapMode(TMapMode::mmAnisotropic);
        Canvas->SetWindowExt({den, den});
        Canvas->SetViewportExt({c.Right ? -num : num, c.Bottom ? -num : num});
        Canvas->SetViewportOrg({c.Right ? Image.width() : 0, c.Bottom ? Image.height() : 0});
    }
};

TEST_F(QtCanvasMapping, RectangleCoversExactlyItsDevicePixels) {
    for (const Corner& c : Corners)
        for (auto [num, den] : {std::pair{2, 1}, std::pair{3, 2}}) {
            SCOPED_TRACE(testing::Message() << c.Name << " scale " << num << "/" << den);
            Reset(120, 100);
            Map(c, num, den);
            Canvas->Pen().Width = 0; // one pixel at any scale
            Canvas->Brush().Color = clBlack;
            Canvas->Rectangle({3, 5, 21, 17});
            // Device edges by the one rounding rule: 4.5 rounds to 4, 7.5 to 8.
            const auto edge = [&](int l, int size, bool flip) {
                const int d = Round(static_cast<double>(l) * num / den);
                return flip ? size - d : d;
            };
            const int x1 = edge(3, 120, c.Right), x2 = edge(21, 120, c.Right);
            const int y1 = edge(5, 100, c.Bottom), y2 = edge(17, 100, c.Bottom);
            const QRect want(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
            EXPECT_EQ(Bounds([](QRgb p) { return p != 0xFFFFFFFF; }), want);
            EXPECT_EQ(Count(0xFF000000), want.width() * want.height());
        }
}

TEST_F(QtCanvasMapping, HandPinnedBottomLeftCorner) {
    Map(Corners[2], 3, 2);
    Canvas->Pen().Width = 0;
    Canvas->Brush().Style = TBrushStyle::bsClear;
    Canvas->Rectangle({3, 5, 21, 17});
    // x: 4.5 -> 4, 31.5 -> 32; y: 100 - 7.5 -> 92, 100 - 25.5 -> 74.
    EXPECT_EQ(Bounds([](QRgb p) { return p != 0xFFFFFFFF; }), QRect(QPoint(4, 74), QPoint(31, 91)));
    EXPECT_EQ(At(10, 80), 0xFFFFFFFFu) << "a clear brush leaves the inside";
}

TEST_F(QtCanvasMapping, LineLeavesOutItsEndPointAndMovesThePen) {
    Canvas->MoveTo(10, 10);
    Canvas->LineTo(20, 10);
    Canvas->LineTo(20, 15);
    EXPECT_EQ(At(10, 10), 0xFF000000u);
    EXPECT_EQ(At(19, 10), 0xFF000000u);
    EXPECT_EQ(At(20, 10), 0xFF000000u); // start of the second line
    EXPECT_EQ(At(20, 14), 0xFF000000u);
    EXPECT_EQ(At(20, 15), 0xFFFFFFFFu);
    EXPECT_EQ(Count(0xFF000000), 15);
    EXPECT_EQ(Canvas->PenPos(), (TPoint{20, 15}));
}

TEST_F(QtCanvasMapping, PenWidthAndTextHeightFollowTheScale) {
    Map(Corners[0], 2, 1);
    Canvas->Pen().Width = 3;
    Canvas->MoveTo(5, 20);
    Canvas->LineTo(40, 20);
    // A 3 unit pen is 6 pixels wide at scale 2.
    const QRect ink = Bounds([](QRgb p) { return p != 0xFFFFFFFF; });
    EXPECT_NEAR(ink.height(), 6, 1);

    Canvas->Font().Height = -20;
    const TSize scaled = Canvas->TextExtent(u"Hello");
    Reset(120, 100);
    Canvas->Font().Height = -20;
    const TSize plain = Canvas->TextExtent(u"Hello");
    // The same logical font measures about the same in logical units.
    EXPECT_NEAR(scaled.cx, plain.cx, 2);
    EXPECT_NEAR(scaled.cy, plain.cy, 1);
}

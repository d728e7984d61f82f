// Figures land on the device pixels the core's mapping gives, for every
// origin corner and for a scale that needs rounding.

#include "qt_canvas_fixture.h"

#include "velloran/foundations/round.h"

using namespace vl;

TEST_F(QtCanvasFixture, RectangleLandsOnItsDevicePixelsFromEveryCorner) {
    for (int corner = 0; corner < 4; ++corner)
        for (auto [num, den] : {std::pair{2, 1}, std::pair{3, 2}}) {
            const bool right = corner & 1, bottom = corner & 2;
            SCOPED_TRACE(testing::Message() << "corner " << corner << " scale " << num << "/" << den);
            Reset();
            // Logical units grow away from the origin corner.
            Canvas->SetMapMode(TMapMode::mmAnisotropic);
            Canvas->SetWindowExt({den, den});
            Canvas->SetViewportExt({right ? -num : num, bottom ? -num : num});
            Canvas->SetViewportOrg({right ? 120 : 0, bottom ? 100 : 0});
            Canvas->Pen().Width = 0;
            Canvas->Brush().Color = clBlack;
            Canvas->Rectangle({3, 5, 21, 17});
            const auto edge = [&](int l, int size, bool flip) {
                const int d = Round(static_cast<double>(l) * num / den); // 4.5 -> 4, 31.5 -> 32
                return flip ? size - d : d;
            };
            const int x1 = edge(3, 120, right), x2 = edge(21, 120, right);
            const int y1 = edge(5, 100, bottom), y2 = edge(17, 100, bottom);
            const QRect want(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
            EXPECT_EQ(Ink(), want);
            EXPECT_EQ(Count(0xFF000000), want.width() * want.height());
        }
    // Pinned by hand, the last case (origin bottom-right, scale 3/2).
    EXPECT_EQ(Ink(), QRect(QPoint(88, 74), QPoint(115, 91)));
}

TEST_F(QtCanvasFixture, LineLeavesOutItsEndPoint) {
    Canvas->MoveTo(10, 10);
    Canvas->LineTo(20, 10);
    Canvas->LineTo(20, 15);
    EXPECT_EQ(At(20, 15), 0xFFFFFFFFu);
    EXPECT_EQ(Count(0xFF000000), 15);
}

TEST_F(QtCanvasFixture, InsideFramePenStaysInTheBox) {
    Canvas->Pen() = TPen{clBlack, 6, TPenStyle::psInsideFrame};
    Canvas->Brush().Style = TBrushStyle::bsClear;
    Canvas->Ellipse({10, 10, 60, 50});
    Canvas->Rectangle({70, 10, 110, 50});
    EXPECT_EQ(Ink(), QRect(QPoint(10, 10), QPoint(109, 49)));
}

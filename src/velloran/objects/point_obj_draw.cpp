// TPointObj: shapes, rotated shapes, the moving outline, pictures and printing.

#include <algorithm>
#include <cmath>

#include "velloran/foundations/angles.h"
#include "velloran/generators/custom_generator.h"
#include "velloran/objects/object_tool.h"
#include "velloran/objects/point_obj.h"
#include "velloran/platform/canvas.h"
#include "velloran/platform/graphics.h"
#include "velloran/platform/metafile.h"
#include "velloran/platform/rotated_drawing.h"
#include "velloran/scale/scale_setting.h"

namespace vl {

using enum TShapetype;

// ---- Shapes -------------------------------------------------------------------

void TPointObj::Draw() {
    const TCustomGenerator& g = Generator();
    if (g.Options().Contains(TGeneratorOption::goShadows)) DrawShade();
    if (Tool()->OnObjectDraw) {
        Tool()->ObjectColors(this);
        Tool()->OnObjectDraw(this);
    } else if (!GetPicture().Graphic()) {
        Tool()->ObjectColors(this);
        Shape();
    } else {
        DrawGraphic();
    }
}

void TPointObj::Shape() {
    if (Tool()->OnObjectShape) {
        Tool()->OnObjectShape(this);
        return;
    }
    if (GetRotated()) {
        RotatedShape();
        return;
    }
    TCanvas& c = Canvas();
    const int32_t W = GetWidth(), H = GetHeight(), s = SmallSide();
    switch (Generator().Shape()) {
    case stRectangle: c.Rectangle({0, 0, W, H}); break;
    case stEllipse: c.Ellipse({0, 0, W, H}); break;
    case stCircle: c.Ellipse({0, 0, s, s}); break;
    case stSquare: c.Rectangle({0, 0, s, s}); break;
    case stRoundRect: c.RoundRect({0, 0, W, H}, s / RoundDivisor(), s / RoundDivisor()); break;
    case stRoundSquare: c.RoundRect({0, 0, s, s}, s / RoundDivisor(), s / RoundDivisor()); break;
    case stLine: ShapeLine(); break;
    case stRegion: FrameShapeRgn(); break;
    }
}

// The canvas frames device regions, so the box's region is made in device
// pixels; the frame is FrameRgn_W pixels wide at every scale.
void TPointObj::FrameShapeRgn() {
    if (const std::optional<TRegion> rgn = TvlObject::CreateShapeRgn(TRgnMode::rmDev)) {
        TCanvas& c = Canvas();
        const int32_t w = ActScaleSet->PixToLog(FrameRgn_W);
        c.FrameRgn(*rgn, {c.Pen().Color, TBrushStyle::bsSolid}, w, w);
    }
}

void TPointObj::ShapeLine() {
    TCanvas& c = Canvas();
    const int32_t W = GetWidth(), H = GetHeight();
    if (Generator().Width() >= 0 && Generator().Height() >= 0) {
        c.MoveTo(0, 0);
        c.LineTo(W, H);
    } else {
        c.MoveTo(0, H);
        c.LineTo(W, 0);
    }
}

// The outlines the rotated-figure routines draw, built on the stack: painting
// one object allocates nothing.
void TPointObj::RotatedShape() {
    TCanvas& c = Canvas();
    const TShapetype shape = Generator().Shape();
    switch (shape) {
    case stLine:
        return;
    case stRegion: // regions do not turn
        FrameShapeRgn();
        return;
    case stEllipse:
    case stCircle: {
        const int32_t W = GetWidth(), H = shape == stCircle ? W : GetHeight();
        if (W == H) {
            // A circle looks the same at every angle; only its centre turns.
            Rotated_Circle(c, {W / 2, W / 2}, W, GetHotSpot(), GetAlpha());
            return;
        }
        break;
    }
    default:
        break;
    }
    TPoint buf[MaxOutlinePoints];
    const int32_t n = OutlinePoints(buf, false);
    c.Polygon(std::span<const TPoint>(buf, static_cast<size_t>(n)));
}

void TPointObj::DrawShadow() {
    const TShapetype shape = Generator().Shape();
    TCanvas& c = Canvas();
    if (!GetRotated() && (shape == stRectangle || shape == stSquare)) {
        SetOrigin();
        const int32_t x2 = shape == stSquare ? SmallSide() : GetWidth();
        const int32_t y2 = shape == stSquare ? SmallSide() : GetHeight();
        // Each side stops one unit short of the next corner: with the
        // not-xor pen a corner drawn twice would vanish.
        c.MoveTo(0, 0);
        c.LineTo(x2 - 1, 0);
        c.MoveTo(x2, 0);
        c.LineTo(x2, y2 - 1);
        c.MoveTo(x2, y2);
        c.LineTo(1, y2);
        c.MoveTo(0, y2);
        c.LineTo(0, 1);
    } else {
        TvlObject::DrawShadow();
    }
    if (SizingHandle != TSizingHandle::szRotate) return;
    const TPoint h = GetHotSpot();
    TPoint cross[4] = {{h.X, h.Y - 10}, {h.X, h.Y + 10}, {h.X - 10, h.Y}, {h.X + 10, h.Y}};
    RotatePoints(cross, 4, h, GetAlpha());
    c.MoveTo(cross[0].X, cross[0].Y);
    c.LineTo(cross[1].X, cross[1].Y);
    c.MoveTo(cross[2].X, cross[2].Y);
    c.LineTo(cross[3].X, cross[3].Y);
}

// ---- Pictures -----------------------------------------------------------------

int32_t TPointObj::Unmirror(TCanvas& DC, TPoint& Pivot) const {
    Pivot = GetHotSpot();
    const bool right = ActScaleSet->GetRightOrigin(), bottom = ActScaleSet->GetBottomOrigin();
    if (!right && !bottom) return 0;
    const int32_t W = GetWidth(), H = GetHeight();
    // The box corner that lies at the screen's top left.
    const TPoint corner = DC.LPtoDP({right ? W : 0, bottom ? H : 0});
    const TSize vp = DC.Mapping().ViewportExt;
    DC.SetViewportExt({std::abs(vp.cx), std::abs(vp.cy)});
    DC.SetWindowOrg({0, 0});
    const TPoint l = DC.DPtoLP(corner);
    DC.SetWindowOrg({-l.X, -l.Y});
    if (right) Pivot.X = W - Pivot.X;
    if (bottom) Pivot.Y = H - Pivot.Y;
    return (right ? 1 : 0) + (bottom ? 1 : 0);
}

void TPointObj::DrawMetafile(TCanvas& DC) {
    const auto* mf = dynamic_cast<const TMetafile*>(GetPicture().Graphic());
    if (!mf) return;
    const int32_t level = DC.SaveDC();
    TPoint pivot;
    const int32_t flipped = Unmirror(DC, pivot);
    if (GetRotated()) {
        // A mirrored view turns the other way once unmirrored.
        const double a = flipped % 2 ? -GetAlpha() : GetAlpha();
        Rotated_Metafile(DC, *mf, pivot, a);
    } else {
        DC.Draw(0, 0, *mf);
    }
    DC.RestoreDC(level);
}

void TPointObj::PaintPicture(const TGraphic& Graphic) {
    TCanvas& c = Canvas();
    const int32_t level = c.SaveDC();
    const std::optional<TRegion> clip = CreateShapeRgn(TRgnMode::rmDev);
    if (clip) c.SelectClipRgn(&*clip);
    TPoint pivot;
    Unmirror(c, pivot);
    if (Generator().Brush().Style == TBrushStyle::bsClear) {
        // The graphic is the generator's; it stays transparent from now on.
        auto& g = const_cast<TGraphic&>(Graphic);
        g.SetTransparent(true);
        if (auto* bmp = dynamic_cast<TBitmap*>(&g)) bmp->SetTransparentColor(bmp->Pixel(0, 0));
    }
    if (GetRotated())
        Shape();
    else if (Generator().Options().Contains(TGeneratorOption::goStretchPicture))
        c.StretchDraw({0, 0, GetWidth(), GetHeight()}, Graphic);
    else
        c.Draw(0, 0, Graphic);
    if (clip) c.SelectClipRgn(nullptr);
    c.RestoreDC(level);
}

void TPointObj::OutlineOverPicture() {
    if (Generator().Pen().Style == TPenStyle::psClear) return;
    SetOrigin();
    Tool()->ObjectColors(this);
    Canvas().Brush().Style = TBrushStyle::bsClear;
    Shape();
}

void TPointObj::DrawGraphic() {
    const TGraphic* g = GetPicture().Graphic();
    if (!g) return;
    if (dynamic_cast<const TMetafile*>(g))
        DrawMetafile(Canvas());
    else
        PaintPicture(*g);
    OutlineOverPicture();
}

void TPointObj::PrintGraphic() {
    const TGraphic* g = GetPicture().Graphic();
    if (!g) return;
    if (dynamic_cast<const TMetafile*>(g)) {
        DrawMetafile(Canvas());
    } else if (const auto* jpeg = dynamic_cast<const TJPEGImage*>(g)) {
        // Printers take bitmaps only.
        TBitmap bmp(jpeg->Bitmap());
        PaintPicture(bmp);
    } else {
        PaintPicture(*g);
    }
    OutlineOverPicture();
}

void TPointObj::Print() {
    if (!GetVisible()) return;
    SetOrigin();
    if (!GetPicture().Graphic()) {
        Draw();
        return;
    }
    if (Generator().Options().Contains(TGeneratorOption::goShadows)) DrawShade();
    Tool()->ObjectColors(this);
    if (Tool()->OnObjectDraw)
        Tool()->OnObjectDraw(this);
    else
        PrintGraphic();
}

} // namespace vl

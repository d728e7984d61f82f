#include "velloran/platform/metafile_player.h"

#include <algorithm>
#include <cmath>

#include "velloran/foundations/errors.h"
#include "velloran/foundations/round.h"
#include "velloran/platform/detail/dib.h"
#include "velloran/platform/detail/emf_bytes.h"
#include "velloran/platform/detail/emf_objects.h"
#include "velloran/platform/detail/emf_reader.h"
#include "velloran/platform/detail/emf_records.h"
#include "velloran/platform/text_metrics.h"

namespace vl {

namespace {
int32_t Extent(int32_t lo, int32_t hi) {
    return hi >= lo ? static_cast<int32_t>(static_cast<int64_t>(hi) - lo + 1) : 0;
}
} // namespace

TMetafilePlayer::TMetafilePlayer(TCanvas& dest, const TMetafile& mf, const TRect& rect)
    : FDest(dest), FHeader(ReadEmfHeader(mf.Data())), FRect(rect) {
    const int32_t w = Extent(FHeader.Bounds.Left, FHeader.Bounds.Right);
    const int32_t h = Extent(FHeader.Bounds.Top, FHeader.Bounds.Bottom);
    FOriginX = FHeader.Bounds.Left;
    FOriginY = FHeader.Bounds.Top;
    if (w > 0) FScaleX = (static_cast<double>(rect.Right) - rect.Left) / w;
    if (h > 0) FScaleY = (static_cast<double>(rect.Bottom) - rect.Top) / h;
    FObjects.resize(std::max<size_t>(FHeader.Handles, 1));
    FDestLevel = FDest.SaveDC();
    // Regions never need to reach beyond what the destination shows, plus a
    // margin that keeps frame lines at a cut edge out of sight.
    static constexpr int32_t Far = 1 << 20, Margin = 256;
    const TRect clip = FDest.GetClipBox();
    const TPoint a = FDest.LPtoDP(clip.TopLeft()), b = FDest.LPtoDP(clip.BottomRight());
    const TRect d = TRect{a.X, a.Y, b.X, b.Y}.Normalised();
    auto bounded = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, -Far, Far)); };
    FDestArea = {bounded(int64_t{d.Left} - Margin), bounded(int64_t{d.Top} - Margin),
                 bounded(int64_t{d.Right} + Margin), bounded(int64_t{d.Bottom} + Margin)};
}

TMetafilePlayer::~TMetafilePlayer() {
    FDest.RestoreDC(FDestLevel);
}

// ---- Coordinates -----------------------------------------------------------

void TMetafilePlayer::LogicalToDevice(TPoint p, double& x, double& y) const {
    const TMapping& m = FMapping;
    if (m.Mode == TMapMode::mmText || m.WindowExt.cx == 0 || m.WindowExt.cy == 0) {
        x = m.ViewportOrg.X + (static_cast<double>(p.X) - m.WindowOrg.X);
        y = m.ViewportOrg.Y + (static_cast<double>(p.Y) - m.WindowOrg.Y);
        return;
    }
    x = m.ViewportOrg.X +
        (static_cast<double>(p.X) - m.WindowOrg.X) * m.ViewportExt.cx / m.WindowExt.cx;
    y = m.ViewportOrg.Y +
        (static_cast<double>(p.Y) - m.WindowOrg.Y) * m.ViewportExt.cy / m.WindowExt.cy;
}

TPoint TMetafilePlayer::DeviceToDest(double x, double y) const {
    return {Round(FRect.Left + (x - FOriginX) * FScaleX),
            Round(FRect.Top + (y - FOriginY) * FScaleY)};
}

void TMetafilePlayer::DestToDevice(TPoint p, double& x, double& y) const {
    x = FScaleX != 0 ? FOriginX + (p.X - FRect.Left) / FScaleX : FOriginX;
    y = FScaleY != 0 ? FOriginY + (p.Y - FRect.Top) / FScaleY : FOriginY;
}

TPoint TMetafilePlayer::ToDest(TPoint p) const {
    double x, y;
    LogicalToDevice(p, x, y);
    return DeviceToDest(x, y);
}

TRect TMetafilePlayer::ToDestRect(const TRect& r) const {
    const TPoint a = ToDest(r.TopLeft()), b = ToDest(r.BottomRight());
    return {a.X, a.Y, b.X, b.Y};
}

const std::vector<TPoint>& TMetafilePlayer::Transformed(std::span<const TPoint> pts) {
    FBuffer.resize(pts.size());
    for (size_t i = 0; i < pts.size(); ++i)
        FBuffer[i] = ToDest(pts[i]);
    return FBuffer;
}

double TMetafilePlayer::ToolScaleX() const {
    return std::abs(FMapping.ScaleX() * FScaleX);
}
double TMetafilePlayer::ToolScaleY() const {
    return std::abs(FMapping.ScaleY() * FScaleY);
}

// An arc runs counter-clockwise on the device; a mirrored transform reverses it.
bool TMetafilePlayer::ArcFlipped() const {
    const TMapping& d = FDest.Mapping();
    return FScaleX * FScaleY * d.ScaleX() * d.ScaleY() < 0;
}

// ---- Tools -----------------------------------------------------------------

void TMetafilePlayer::ApplyPen() {
    TPen p = FPen;
    p.Width = Round(p.Width * ToolScaleX());
    FDest.SetPen(p);
}

void TMetafilePlayer::ApplyFill() {
    ApplyPen();
    FDest.SetBrush(FBrush);
    FDest.SetPolyFillMode(FPolyFillMode);
}

void TMetafilePlayer::ApplyFont() {
    TFont f = FFont;
    f.Height = Round(f.Height * ToolScaleY());
    if (f.Height == 0 && FFont.Height != 0) f.Height = FFont.Height < 0 ? -1 : 1;
    FDest.SetFont(f);
}

// ---- Figures ---------------------------------------------------------------

int32_t TMetafilePlayer::GetDeviceCaps(TDeviceCap cap) const {
    const TEmfHeader& h = FHeader;
    switch (cap) {
    case TDeviceCap::HORZSIZE:
        return h.DeviceMillimeters.cx;
    case TDeviceCap::VERTSIZE:
        return h.DeviceMillimeters.cy;
    case TDeviceCap::HORZRES:
        return h.DevicePixels.cx;
    case TDeviceCap::VERTRES:
        return h.DevicePixels.cy;
    case TDeviceCap::LOGPIXELSX:
        return h.DeviceMicrometers.cx > 0
                   ? Round(h.DevicePixels.cx * 25400.0 / h.DeviceMicrometers.cx)
                   : 96;
    case TDeviceCap::LOGPIXELSY:
        return h.DeviceMicrometers.cy > 0
                   ? Round(h.DevicePixels.cy * 25400.0 / h.DeviceMicrometers.cy)
                   : 96;
    }
    return 0;
}

void TMetafilePlayer::MoveTo(int32_t x, int32_t y) {
    FPenPos = {x, y};
    const TPoint d = ToDest(FPenPos);
    FDest.MoveTo(d.X, d.Y);
}

void TMetafilePlayer::LineTo(int32_t x, int32_t y) {
    ApplyPen();
    const TPoint d = ToDest({x, y});
    FDest.LineTo(d.X, d.Y);
    FPenPos = {x, y};
}

void TMetafilePlayer::Polygon(std::span<const TPoint> pts) {
    ApplyFill();
    FDest.Polygon(Transformed(pts));
}

void TMetafilePlayer::Polyline(std::span<const TPoint> pts) {
    ApplyPen();
    FDest.Polyline(Transformed(pts));
}

void TMetafilePlayer::PolyPolyline(std::span<const TPoint> pts, std::span<const uint32_t> counts) {
    ApplyPen();
    FDest.PolyPolyline(Transformed(pts), counts);
}

void TMetafilePlayer::Rectangle(const TRect& r) {
    ApplyFill();
    FDest.Rectangle(ToDestRect(r).Normalised());
}

void TMetafilePlayer::RoundRect(const TRect& r, int32_t cornerW, int32_t cornerH) {
    ApplyFill();
    FDest.RoundRect(ToDestRect(r).Normalised(), Round(cornerW * ToolScaleX()),
                    Round(cornerH * ToolScaleY()));
}

void TMetafilePlayer::Ellipse(const TRect& r) {
    ApplyFill();
    FDest.Ellipse(ToDestRect(r).Normalised());
}

void TMetafilePlayer::Arc(const TRect& r, TPoint start, TPoint end) {
    ApplyPen();
    const TPoint s = ToDest(start), e = ToDest(end);
    FDest.Arc(ToDestRect(r).Normalised(), ArcFlipped() ? e : s, ArcFlipped() ? s : e);
}

void TMetafilePlayer::Chord(const TRect& r, TPoint start, TPoint end) {
    ApplyFill();
    const TPoint s = ToDest(start), e = ToDest(end);
    FDest.Chord(ToDestRect(r).Normalised(), ArcFlipped() ? e : s, ArcFlipped() ? s : e);
}

void TMetafilePlayer::Pie(const TRect& r, TPoint start, TPoint end) {
    ApplyFill();
    const TPoint s = ToDest(start), e = ToDest(end);
    FDest.Pie(ToDestRect(r).Normalised(), ArcFlipped() ? e : s, ArcFlipped() ? s : e);
}

void TMetafilePlayer::FillRect(const TRect& r) {
    FDest.SetBrush(FBrush);
    FDest.FillRect(ToDestRect(r).Normalised());
}

void TMetafilePlayer::TextOut(int32_t x, int32_t y, const String& text) {
    double dx, dy;
    LogicalToDevice({x, y}, dx, dy);
    const uint32_t horz = FTextAlign & 6, vert = FTextAlign & 24;
    if (FFont.Escapement == 0 && (horz || vert)) {
        // The destination writes from the cell's top left; other alignments
        // move the reference point by the text's size.
        const TSize ext = HeadlessTextExtent(FFont, text);
        const double w = ext.cx * std::abs(FMapping.ScaleX()),
                     h = ext.cy * std::abs(FMapping.ScaleY());
        if (horz == 2) dx -= w;
        if (horz == 6) dx -= w / 2;
        if (vert == 8) dy -= h;
        if (vert == 24) dy -= HeadlessAscent(FFont) * std::abs(FMapping.ScaleY());
    }
    ApplyFont();
    const TPoint d = DeviceToDest(dx, dy);
    FDest.TextOut(d.X, d.Y, text);
}

TSize TMetafilePlayer::TextExtent(const String& text) {
    ApplyFont();
    const TSize e = FDest.TextExtent(text);
    const double sx = ToolScaleX(), sy = ToolScaleY();
    return {sx > 0 ? Round(e.cx / sx) : e.cx, sy > 0 ? Round(e.cy / sy) : e.cy};
}

void TMetafilePlayer::SetPixel(int32_t x, int32_t y, TColor c) {
    const TPoint d = ToDest({x, y});
    FDest.SetPixel(d.X, d.Y, c);
}

TColor TMetafilePlayer::GetPixel(int32_t x, int32_t y) const {
    const TPoint d = ToDest({x, y});
    return FDest.GetPixel(d.X, d.Y);
}

// ---- Regions and clipping --------------------------------------------------

// Rectangles in metafile device pixels become one destination region. Several
// rectangles are joined into one alternate-fill polygon: a path of vertical
// and horizontal steps leads from each rectangle's corner to the next one's
// and is walked back at the end, so those steps cancel out and every edge
// stays axis-parallel (which keeps scanning the region cheap).
//
// Each rectangle is cut to the destination's area first: a region scan costs
// rows times edges, and a hostile record's rectangles may span millions of
// rows the destination never shows. Sorted from the top, the steps between
// rectangles do not overlap, so a row meets few of them.
TRegion TMetafilePlayer::DeviceRegionToDest(const std::vector<TRect>& rects) const {
    std::vector<TRect> out;
    out.reserve(rects.size());
    const TRect& area = FDestArea;
    auto inside = [&](TPoint p) {
        return TPoint{std::clamp(p.X, area.Left, area.Right), std::clamp(p.Y, area.Top, area.Bottom)};
    };
    for (const TRect& r : rects) {
        const TPoint a = inside(FDest.LPtoDP(DeviceToDest(r.Left, r.Top)));
        const TPoint b = inside(FDest.LPtoDP(DeviceToDest(r.Right, r.Bottom)));
        const TRect n = TRect{a.X, a.Y, b.X, b.Y}.Normalised();
        if (n.Right > n.Left && n.Bottom > n.Top) out.push_back(n);
    }
    if (out.empty()) return TRegion();
    if (out.size() == 1) return TRegion::CreateRect(out[0]);
    std::sort(out.begin(), out.end(), [](const TRect& a, const TRect& b) {
        return a.Top != b.Top ? a.Top < b.Top : a.Left < b.Left;
    });
    std::vector<TPoint> pts;
    pts.reserve(out.size() * 9);
    for (size_t i = 0; i < out.size(); ++i) {
        const TRect& r = out[i];
        if (i > 0) pts.push_back({out[i - 1].Left, r.Top});
        pts.insert(
            pts.end(),
            {r.TopLeft(), {r.Right, r.Top}, r.BottomRight(), {r.Left, r.Bottom}, r.TopLeft()});
    }
    for (size_t i = out.size() - 1; i > 0; --i) {
        pts.push_back({out[i - 1].Left, out[i].Top});
        pts.push_back(out[i - 1].TopLeft());
    }
    return TRegion::CreatePolygon(pts, TPolyFillMode::ALTERNATE);
}

void TMetafilePlayer::FillRgn(const TRegion& rgn, const TBrush& brush) {
    FDest.FillRgn(DeviceRegionToDest(rgn.Scans()), brush);
}

void TMetafilePlayer::FrameRgn(const TRegion& rgn, const TBrush& brush, int32_t w, int32_t h) {
    FDest.FrameRgn(DeviceRegionToDest(rgn.Scans()), brush, Round(w * ToolScaleX()),
                   Round(h * ToolScaleY()));
}

// Back to the clip the destination had when playback began.
void TMetafilePlayer::ResetClip() {
    FDest.RestoreDC(FDestLevel);
    FDestLevel = FDest.SaveDC();
}

void TMetafilePlayer::SelectClipRgn(const TRegion* rgn) {
    ResetClip();
    if (!rgn) return;
    const std::vector<TRect> scans = rgn->Scans();
    if (scans.size() == 1) {
        // Within the destination's own clip, as a metafile must not paint outside it.
        const TRect& r = scans[0];
        const TPoint a = DeviceToDest(r.Left, r.Top), b = DeviceToDest(r.Right, r.Bottom);
        FDest.IntersectClipRect(TRect{a.X, a.Y, b.X, b.Y}.Normalised());
        return;
    }
    // Several rectangles replace the destination's clip: a canvas cannot
    // intersect with a general region.
    const TRegion d = DeviceRegionToDest(scans);
    FDest.SelectClipRgn(&d);
}

void TMetafilePlayer::IntersectClipRect(const TRect& r) {
    FDest.IntersectClipRect(ToDestRect(r).Normalised());
}

TRect TMetafilePlayer::GetClipBox() const {
    const TRect c = FDest.GetClipBox();
    double x0, y0, x1, y1;
    DestToDevice(c.TopLeft(), x0, y0);
    DestToDevice(c.BottomRight(), x1, y1);
    const TPoint a = FMapping.DPtoLP(TPoint{Round(x0), Round(y0)});
    const TPoint b = FMapping.DPtoLP(TPoint{Round(x1), Round(y1)});
    return TRect{a.X, a.Y, b.X, b.Y}.Normalised();
}

int32_t TMetafilePlayer::SaveDC() {
    const int32_t level = TCanvas::SaveDC();
    FDest.SaveDC();
    return level;
}

void TMetafilePlayer::RestoreDC(int32_t level) {
    const int32_t n = static_cast<int32_t>(FSaved.size());
    if (level < 0) level = n + 1 + level;
    if (level < 1 || level > n) return;
    TCanvas::RestoreDC(level);
    FDest.RestoreDC(FDestLevel + level);
}

// ---- Pictures --------------------------------------------------------------

void TMetafilePlayer::StretchDraw(const TRect& r, const TGraphic& graphic) {
    FDest.StretchDraw(ToDestRect(r), graphic);
}

void TMetafilePlayer::StretchBitmap(const TRect& dest, const TBitmap& src, const TRect& srcRect) {
    FDest.StretchBitmap(ToDestRect(dest), src, srcRect);
}

bool TMetafilePlayer::CopyToBitmap(const TRect&, TBitmap&) const {
    return false;
}

} // namespace vl

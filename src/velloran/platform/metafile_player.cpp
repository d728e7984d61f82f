#include "velloran/platform/metafile_player.h"

#include <algorithm>
#include <cmath>

#include "velloran/foundations/round.h"
#include "velloran/platform/dib.h"
#include "velloran/platform/emf_bytes.h"
#include "velloran/platform/emf_objects.h"
#include "velloran/platform/emf_reader.h"
#include "velloran/platform/emf_records.h"
#include "velloran/platform/errors.h"
#include "velloran/platform/text_metrics.h"

namespace vl {

namespace {
int32_t Extent(int32_t lo, int32_t hi) {
    return hi >= lo ? static_cast<int32_t>(static_cast<int64_t>(hi) - lo + 1) : 0;
}

// Rectangles of a region data block at offset `at` of a record, cb bytes long.
std::vector<TRect> RegionRects(const TEmfRecord& rec, size_t at, size_t cb) {
    const size_t size = rec.Bytes.size();
    if (at > size || cb > size - at || cb < 32) return {};
    const size_t n = rec.DWord(at + 8);
    if (n > (cb - 32) / 16) return {};
    std::vector<TRect> rects(n);
    for (size_t i = 0; i < n; ++i)
        rects[i] = EmfRect(rec, at + 32 + 16 * i);
    return rects;
}

bool Inside(const TEmfRecord& rec, uint32_t offset, uint32_t count) {
    return offset <= rec.Bytes.size() && count <= rec.Bytes.size() - offset;
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
    if (FFont.Orientation == 0 && (horz || vert)) {
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
TRegion TMetafilePlayer::DeviceRegionToDest(const std::vector<TRect>& rects) const {
    std::vector<TRect> out;
    out.reserve(rects.size());
    // Far beyond any real surface a region means nothing; clamping there keeps
    // a hostile record from handing the destination billions of rows to scan.
    static constexpr int32_t Far = 1 << 20;
    auto clamp = [](TPoint p) {
        return TPoint{std::clamp(p.X, -Far, Far), std::clamp(p.Y, -Far, Far)};
    };
    for (const TRect& r : rects) {
        const TPoint a = clamp(FDest.LPtoDP(DeviceToDest(r.Left, r.Top)));
        const TPoint b = clamp(FDest.LPtoDP(DeviceToDest(r.Right, r.Bottom)));
        const TRect n = TRect{a.X, a.Y, b.X, b.Y}.Normalised();
        if (n.Right > n.Left && n.Bottom > n.Top) out.push_back(n);
    }
    if (out.empty()) return TRegion();
    if (out.size() == 1) return TRegion::CreateRect(out[0]);
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

// ---- Records ---------------------------------------------------------------

void TMetafilePlayer::SelectObject(uint32_t index) {
    if (index & emf::StockObject) {
        const uint32_t stock = index & ~emf::StockObject;
        static constexpr TColor grays[] = {clWhite, clSilver, clGray, 0x404040, clBlack};
        if (stock <= emf::BLACK_BRUSH) FBrush = {grays[stock], TBrushStyle::bsSolid};
        if (stock == emf::NULL_BRUSH) FBrush.Style = TBrushStyle::bsClear;
        if (stock == emf::WHITE_PEN || stock == emf::BLACK_PEN) {
            FPen.Color = stock == emf::WHITE_PEN ? clWhite : clBlack;
            FPen.Width = 1;
            FPen.Style = TPenStyle::psSolid;
        }
        if (stock == emf::NULL_PEN) FPen.Style = TPenStyle::psClear;
        if (stock >= emf::OEM_FIXED_FONT && stock <= emf::DEFAULT_GUI_FONT) {
            const TColor c = FFont.Color;
            FFont = TFont();
            FFont.Color = c;
        }
        return;
    }
    if (index >= FObjects.size()) return;
    const TTableEntry& o = FObjects[index];
    switch (o.Kind) {
    case TTableEntry::TKind::okPen:
        FPen.Color = o.Pen.Color;
        FPen.Width = o.Pen.Width;
        FPen.Style = o.Pen.Style;
        break;
    case TTableEntry::TKind::okBrush:
        FBrush = o.Brush;
        break;
    case TTableEntry::TKind::okFont:
        FFont = FontOfLogFont(o.Font, FFont.Color);
        break;
    case TTableEntry::TKind::okNone:
        break;
    }
}

void TMetafilePlayer::PlayBezier(std::span<const TPoint> pts, bool fromPenPos) {
    std::vector<TPoint> line;
    TPoint p0 = fromPenPos ? FPenPos : (pts.empty() ? TPoint{} : pts[0]);
    size_t i = fromPenPos ? 0 : 1;
    if (!fromPenPos && pts.empty()) return;
    line.push_back(p0);
    constexpr int Steps = 16;
    for (; i + 3 <= pts.size(); i += 3) {
        const TPoint p1 = pts[i], p2 = pts[i + 1], p3 = pts[i + 2];
        for (int s = 1; s <= Steps; ++s) {
            const double t = static_cast<double>(s) / Steps, u = 1 - t;
            const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
            line.push_back({Round(a * p0.X + b * p1.X + c * p2.X + d * p3.X),
                            Round(a * p0.Y + b * p1.Y + c * p2.Y + d * p3.Y)});
        }
        p0 = p3;
    }
    Polyline(line);
    if (fromPenPos) FPenPos = p0;
}

void TMetafilePlayer::PlayRegionRecord(const TEmfRecord& rec) {
    switch (rec.Type()) {
    case emr::FILLRGN: {
        const uint32_t ih = rec.DWord(28);
        if (ih >= FObjects.size() || FObjects[ih].Kind != TTableEntry::TKind::okBrush) return;
        FDest.SetBrush(FObjects[ih].Brush);
        // Logical rectangles: filling each one fills their union.
        for (const TRect& r : RegionRects(rec, 32, rec.DWord(24)))
            FDest.FillRect(ToDestRect(r).Normalised());
        return;
    }
    case emr::FRAMERGN: {
        const uint32_t ih = rec.DWord(28);
        if (ih >= FObjects.size() || FObjects[ih].Kind != TTableEntry::TKind::okBrush) return;
        std::vector<TRect> rects = RegionRects(rec, 40, rec.DWord(24));
        for (TRect& r : rects) {
            double x0, y0, x1, y1;
            LogicalToDevice(r.TopLeft(), x0, y0);
            LogicalToDevice(r.BottomRight(), x1, y1);
            r = TRect{Round(x0), Round(y0), Round(x1), Round(y1)}.Normalised();
        }
        FDest.FrameRgn(DeviceRegionToDest(rects), FObjects[ih].Brush,
                       Round(rec.Int(32) * ToolScaleX()), Round(rec.Int(36) * ToolScaleY()));
        return;
    }
    case emr::EXTSELECTCLIPRGN: {
        const uint32_t cb = rec.DWord(8), mode = rec.DWord(12);
        if (mode == emf::RGN_COPY && cb == 0) {
            SelectClipRgn(nullptr);
            return;
        }
        const std::vector<TRect> rects = RegionRects(rec, 16, cb);
        if (mode == emf::RGN_COPY) {
            ResetClip();
            if (rects.size() == 1) {
                const TRect& r = rects[0];
                const TPoint a = DeviceToDest(r.Left, r.Top), b = DeviceToDest(r.Right, r.Bottom);
                FDest.IntersectClipRect(TRect{a.X, a.Y, b.X, b.Y}.Normalised());
            } else {
                const TRegion d = DeviceRegionToDest(rects);
                FDest.SelectClipRgn(&d);
            }
        } else if (mode == emf::RGN_AND && rects.size() == 1) {
            const TRect& r = rects[0];
            const TPoint a = DeviceToDest(r.Left, r.Top), b = DeviceToDest(r.Right, r.Bottom);
            FDest.IntersectClipRect(TRect{a.X, a.Y, b.X, b.Y}.Normalised());
        }
        return;
    }
    default:
        return;
    }
}

void TMetafilePlayer::PlayBitmapRecord(const TEmfRecord& rec) {
    const uint32_t type = rec.Type();
    TRect dest, src;
    uint32_t offBmi, cbBmi, offBits, cbBits;
    if (type == emr::STRETCHDIBITS) {
        if (rec.Bytes.size() < 80) return;
        dest = {rec.Int(24), rec.Int(28), bytes::Add(rec.Int(24), rec.Int(72)),
                bytes::Add(rec.Int(28), rec.Int(76))};
        src = {rec.Int(32), rec.Int(36), bytes::Add(rec.Int(32), rec.Int(40)),
               bytes::Add(rec.Int(36), rec.Int(44))};
        offBmi = rec.DWord(48), cbBmi = rec.DWord(52), offBits = rec.DWord(56),
        cbBits = rec.DWord(60);
    } else {
        const bool stretch = type == emr::STRETCHBLT;
        if (rec.Bytes.size() < (stretch ? 108u : 100u)) return;
        dest = {rec.Int(24), rec.Int(28), bytes::Add(rec.Int(24), rec.Int(32)),
                bytes::Add(rec.Int(28), rec.Int(36))};
        const int32_t cx = stretch ? rec.Int(100) : rec.Int(32),
                      cy = stretch ? rec.Int(104) : rec.Int(36);
        src = {rec.Int(44), rec.Int(48), bytes::Add(rec.Int(44), cx), bytes::Add(rec.Int(48), cy)};
        const uint32_t rop = rec.DWord(40);
        offBmi = rec.DWord(84), cbBmi = rec.DWord(88), offBits = rec.DWord(92),
        cbBits = rec.DWord(96);
        if (cbBmi == 0) {
            // No source: a pattern fill of the destination rectangle.
            const TBrush saved = FBrush;
            if (rop == emf::BLACKNESS) FBrush = {clBlack, TBrushStyle::bsSolid};
            if (rop == emf::WHITENESS) FBrush = {clWhite, TBrushStyle::bsSolid};
            if (rop == emf::PATCOPY || rop == emf::BLACKNESS || rop == emf::WHITENESS)
                FillRect(dest);
            FBrush = saved;
            return;
        }
    }
    // Raster operations other than plain copies are drawn as copies.
    if (!Inside(rec, offBmi, cbBmi) || !Inside(rec, offBits, cbBits)) return;
    TBitmap bmp;
    std::vector<uint8_t> alpha;
    try {
        const auto info = rec.Bytes.subspan(offBmi, cbBmi);
        const TDibInfo dib = ParseDibInfo(info);
        DecodeDib(dib, info, rec.Bytes.subspan(offBits, cbBits), bmp, &alpha);
        if (!dib.TopDown) {
            // Source rows of a bottom-up DIB count from the bottom.
            const int64_t h = static_cast<int64_t>(src.Bottom) - src.Top;
            src.Top = bytes::Sat(static_cast<int64_t>(dib.Height) - src.Top - h);
            src.Bottom = bytes::Add(src.Top, h);
        }
        if (dib.BitCount != 32) alpha.clear();
    } catch (const EInvalidGraphic&) {
        return;
    }
    // Alpha 0 marks see-through pixels (all zero means no alpha at all); they
    // become the bitmap's transparent colour.
    const auto clear = std::find(alpha.begin(), alpha.end(), 0);
    const bool keyed =
        clear != alpha.end() &&
        std::find_if(alpha.begin(), alpha.end(), [](uint8_t a) { return a != 0; }) != alpha.end();
    const bool whole = src == TRect{0, 0, bmp.Width(), bmp.Height()};
    if (keyed && whole) {
        const size_t first = static_cast<size_t>(clear - alpha.begin());
        const int32_t w = bmp.Width();
        const TColor key =
            bmp.Pixel(static_cast<int32_t>(first % w), static_cast<int32_t>(first / w));
        for (size_t i = first; i < alpha.size(); ++i)
            if (alpha[i] == 0)
                bmp.SetPixel(static_cast<int32_t>(i % w), static_cast<int32_t>(i / w), key);
        bmp.SetTransparentColor(key);
        bmp.SetTransparent(true);
        StretchDraw(dest, bmp);
        return;
    }
    StretchBitmap(dest, bmp, src);
}

void TMetafilePlayer::PlayRecord(const TEmfRecord& rec) {
    const size_t size = rec.Bytes.size();
    const uint32_t type = rec.Type();
    switch (type) {
    case emr::POLYGON:
    case emr::POLYGON16:
        Polygon(EmfPoints(rec));
        break;
    case emr::POLYLINE:
    case emr::POLYLINE16:
        Polyline(EmfPoints(rec));
        break;
    case emr::POLYLINETO: {
        std::vector<TPoint> pts = EmfPoints(rec);
        if (pts.empty()) break;
        pts.insert(pts.begin(), FPenPos);
        Polyline(pts);
        FPenPos = pts.back();
        break;
    }
    case emr::POLYBEZIER:
    case emr::POLYBEZIERTO:
        PlayBezier(EmfPoints(rec), type == emr::POLYBEZIERTO);
        break;
    case emr::POLYPOLYLINE:
    case emr::POLYPOLYLINE16:
    case emr::POLYPOLYGON: {
        const std::vector<TPoint> pts = EmfPoints(rec);
        const std::vector<uint32_t> counts = EmfPolyCounts(rec);
        uint64_t total = 0;
        for (uint32_t c : counts)
            total += c;
        if (total > pts.size()) break;
        if (type != emr::POLYPOLYGON) {
            PolyPolyline(pts, counts);
            break;
        }
        size_t at = 0;
        for (uint32_t c : counts) {
            Polygon(std::span<const TPoint>(pts).subspan(at, c));
            at += c;
        }
        break;
    }
    case emr::SETWINDOWEXTEX:
        if (size >= 16) SetWindowExt({rec.Int(8), rec.Int(12)});
        break;
    case emr::SETWINDOWORGEX:
        if (size >= 16) SetWindowOrg({rec.Int(8), rec.Int(12)});
        break;
    case emr::SETVIEWPORTEXTEX:
        if (size >= 16) SetViewportExt({rec.Int(8), rec.Int(12)});
        break;
    case emr::SETVIEWPORTORGEX:
        if (size >= 16) SetViewportOrg({rec.Int(8), rec.Int(12)});
        break;
    case emr::SETPIXELV:
        if (size >= 20)
            SetPixel(rec.Int(8), rec.Int(12), static_cast<TColor>(rec.DWord(16) & 0xFFFFFF));
        break;
    case emr::SETMAPMODE: {
        // Isotropic mapping is played as anisotropic; the metric modes are not recorded here.
        const uint32_t m = rec.DWord(8);
        if (m == 1) SetMapMode(TMapMode::mmText);
        if (m == 7 || m == 8) SetMapMode(TMapMode::mmAnisotropic);
        break;
    }
    case emr::SETBKMODE:
        FBkMode = rec.DWord(8);
        break;
    case emr::SETPOLYFILLMODE:
        SetPolyFillMode(rec.DWord(8) == 2 ? TPolyFillMode::WINDING : TPolyFillMode::ALTERNATE);
        break;
    case emr::SETROP2:
        FPen.Mode = emf::PenModeOfRop2(rec.DWord(8));
        break;
    case emr::SETTEXTALIGN:
        FTextAlign = rec.DWord(8);
        break;
    case emr::SETTEXTCOLOR:
        FFont.Color = static_cast<TColor>(rec.DWord(8) & 0xFFFFFF);
        break;
    case emr::SETBKCOLOR:
        FBkColor = static_cast<TColor>(rec.DWord(8) & 0xFFFFFF);
        break;
    case emr::MOVETOEX:
        if (size >= 16) MoveTo(rec.Int(8), rec.Int(12));
        break;
    case emr::LINETO:
        if (size >= 16) LineTo(rec.Int(8), rec.Int(12));
        break;
    case emr::INTERSECTCLIPRECT:
        if (size >= 24) IntersectClipRect(EmfRect(rec));
        break;
    case emr::SAVEDC:
        SaveDC();
        break;
    case emr::RESTOREDC:
        RestoreDC(rec.Int(8));
        break;
    case emr::SELECTOBJECT:
        SelectObject(rec.DWord(8));
        break;
    case emr::CREATEPEN:
    case emr::CREATEBRUSHINDIRECT:
    case emr::EXTCREATEFONTINDIRECTW: {
        const uint32_t ih = rec.DWord(8);
        const size_t need = type == emr::CREATEPEN             ? 28
                            : type == emr::CREATEBRUSHINDIRECT ? 24
                                                               : 104;
        if (size < need || ih == 0 || ih > 0xFFFF) break;
        if (ih >= FObjects.size()) FObjects.resize(ih + 1);
        TTableEntry& o = FObjects[ih];
        if (type == emr::CREATEPEN) {
            o.Kind = TTableEntry::TKind::okPen;
            const uint32_t style = rec.DWord(12) & 0xF;
            o.Pen.Style = style <= 8 ? static_cast<TPenStyle>(style) : TPenStyle::psSolid;
            o.Pen.Width = rec.Int(16);
            o.Pen.Color = static_cast<TColor>(rec.DWord(24) & 0xFFFFFF);
        } else if (type == emr::CREATEBRUSHINDIRECT) {
            o.Kind = TTableEntry::TKind::okBrush;
            const uint32_t style = rec.DWord(12), hatch = rec.DWord(20);
            o.Brush.Color = static_cast<TColor>(rec.DWord(16) & 0xFFFFFF);
            o.Brush.Style = style == emf::BS_NULL ? TBrushStyle::bsClear
                            : style == emf::BS_HATCHED && hatch <= 5
                                ? static_cast<TBrushStyle>(
                                      static_cast<uint32_t>(TBrushStyle::bsHorizontal) + hatch)
                                : TBrushStyle::bsSolid;
        } else {
            o.Kind = TTableEntry::TKind::okFont;
            TLogFont& lf = o.Font;
            lf.lfHeight = rec.Int(12);
            lf.lfWidth = rec.Int(16);
            lf.lfEscapement = rec.Int(20);
            lf.lfOrientation = rec.Int(24);
            lf.lfWeight = rec.Int(28);
            lf.lfItalic = rec.Bytes[32];
            lf.lfUnderline = rec.Bytes[33];
            lf.lfStrikeOut = rec.Bytes[34];
            lf.lfCharSet = rec.Bytes[35];
            lf.lfOutPrecision = rec.Bytes[36];
            lf.lfClipPrecision = rec.Bytes[37];
            lf.lfQuality = rec.Bytes[38];
            lf.lfPitchAndFamily = rec.Bytes[39];
            lf.lfFaceName.clear();
            for (size_t i = 0; i < 32; ++i) {
                const char16_t c = static_cast<char16_t>(bytes::U16(rec.Bytes, 40 + 2 * i));
                if (c == 0) break;
                lf.lfFaceName.push_back(c);
            }
        }
        break;
    }
    case emr::DELETEOBJECT:
        if (rec.DWord(8) < FObjects.size()) FObjects[rec.DWord(8)] = TTableEntry();
        break;
    case emr::ELLIPSE:
    case emr::RECTANGLE:
        if (size < 24) break;
        if (type == emr::ELLIPSE)
            Ellipse(EmfRect(rec));
        else
            Rectangle(EmfRect(rec));
        break;
    case emr::ROUNDRECT:
        if (size >= 32) RoundRect(EmfRect(rec), rec.Int(24), rec.Int(28));
        break;
    case emr::ARC:
    case emr::CHORD:
    case emr::PIE: {
        if (size < 40) break;
        const TRect box = EmfRect(rec);
        const TPoint s{rec.Int(24), rec.Int(28)}, e{rec.Int(32), rec.Int(36)};
        if (type == emr::ARC) Arc(box, s, e);
        if (type == emr::CHORD) Chord(box, s, e);
        if (type == emr::PIE) Pie(box, s, e);
        break;
    }
    case emr::FILLRGN:
    case emr::FRAMERGN:
    case emr::EXTSELECTCLIPRGN:
        PlayRegionRecord(rec);
        break;
    case emr::BITBLT:
    case emr::STRETCHBLT:
    case emr::STRETCHDIBITS:
        PlayBitmapRecord(rec);
        break;
    case emr::EXTTEXTOUTW: {
        if (size < emrtext::Size) break;
        const TPoint p = EmfTextOrigin(rec);
        TextOut(p.X, p.Y, EmfText(rec));
        break;
    }
    default:
        break; // header, end record and whatever this player does not draw
    }
}

} // namespace vl

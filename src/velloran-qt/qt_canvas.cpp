#include "velloran-qt/qt_canvas.h"

#include <QFontMetrics>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "velloran-qt/qt_font.h"
#include "velloran-qt/qt_image.h"
#include "velloran-qt/qt_raster_op.h"
#include "velloran/foundations/round.h"
#include "velloran/platform/metafile.h"

namespace vl {

namespace {
// Marker colours of the coverage mask: which tool paints a pixel.
constexpr QRgb PenMark = 0xFFFF0000;
constexpr QRgb BrushMark = 0xFF00FF00;

QColor ToQColor(TColor c) {
    c = ColorToRGB(c);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// Vector targets cannot combine with what lies beneath; modes whose result
// does not depend on it stay exact, the rest draw with the pen's colour.
std::optional<TColor> VectorColor(TPenMode mode, TColor c) {
    switch (mode) {
    case TPenMode::pmNop: return std::nullopt;
    case TPenMode::pmBlack: return clBlack;
    case TPenMode::pmWhite: return clWhite;
    case TPenMode::pmNotCopy: return ~ColorToRGB(c) & 0xFFFFFF;
    default: return c;
    }
}
} // namespace

// ---- Life ------------------------------------------------------------------

QtCanvas::QtCanvas(QPaintDevice* device) { Begin(device); }

QtCanvas::~QtCanvas() { End(); }

void QtCanvas::Begin(QPaintDevice* device) {
    FDevice = device;
    FImage = nullptr;
    if (!device) return;
    if (device->devType() == QInternal::Image) {
        FImage = static_cast<QImage*>(device);
        const auto f = FImage->format();
        // Pixel reads and raster operations work on 32-bit pixels.
        if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 && f != QImage::Format_ARGB32_Premultiplied)
            *FImage = FImage->convertToFormat(QImage::Format_RGB32);
    }
    FPainter.begin(device);
    FPainterPen = FPainterBrush = THeld::Unknown;
    FPainter.setBackgroundMode(Qt::TransparentMode);
    FPainter.setRenderHint(QPainter::Antialiasing, false);
    FPainter.setRenderHint(QPainter::TextAntialiasing, false);
    ApplyClip();
}

void QtCanvas::End() {
    if (FPainter.isActive()) FPainter.end();
}

// ---- Conversion ------------------------------------------------------------

QPoint QtCanvas::ToDevice(int32_t x, int32_t y) const {
    const TPoint p = FMapping.LPtoDP({x, y});
    return {p.X, p.Y};
}

QRect QtCanvas::ToDeviceRect(const TRect& r) const {
    const QPoint a = ToDevice(r.Left, r.Top);
    const QPoint b = ToDevice(r.Right, r.Bottom);
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QSize(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())));
}

int QtCanvas::DeviceLength(int32_t logical, bool vertical) const {
    return std::abs(Round(logical * (vertical ? FMapping.ScaleY() : FMapping.ScaleX())));
}

QRect QtCanvas::SurfaceRect() const {
    return FDevice ? QRect(0, 0, FDevice->width(), FDevice->height()) : QRect();
}

QPen QtCanvas::DevicePen(TColor color) const {
    if (FPen.Style == TPenStyle::psClear) return Qt::NoPen;
    const int w = std::max(1, DeviceLength(FPen.Width, false));
    QPen pen(ToQColor(color), w);
    if (w == 1) {
        // One pixel wide, and a line leaves out its last point.
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
    } else {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    switch (FPen.Style) {
    case TPenStyle::psDash: pen.setStyle(Qt::DashLine); break;
    case TPenStyle::psDot: pen.setStyle(Qt::DotLine); break;
    case TPenStyle::psDashDot: pen.setStyle(Qt::DashDotLine); break;
    case TPenStyle::psDashDotDot: pen.setStyle(Qt::DashDotDotLine); break;
    case TPenStyle::psAlternate: pen.setDashPattern({1, 1}); break;
    default: break;
    }
    return pen;
}

QBrush QtCanvas::DeviceBrush(const TBrush& b, TColor color) const {
    Qt::BrushStyle s = Qt::SolidPattern;
    switch (b.Style) {
    case TBrushStyle::bsSolid: s = Qt::SolidPattern; break;
    case TBrushStyle::bsClear: return Qt::NoBrush;
    case TBrushStyle::bsHorizontal: s = Qt::HorPattern; break;
    case TBrushStyle::bsVertical: s = Qt::VerPattern; break;
    case TBrushStyle::bsFDiagonal: s = Qt::FDiagPattern; break;
    case TBrushStyle::bsBDiagonal: s = Qt::BDiagPattern; break;
    case TBrushStyle::bsCross: s = Qt::CrossPattern; break;
    case TBrushStyle::bsDiagCross: s = Qt::DiagCrossPattern; break;
    }
    return QBrush(ToQColor(color), s);
}

const QPen& QtCanvas::ToolPen() {
    const int w = std::max(1, DeviceLength(FPen.Width, false));
    if (w != FToolPenWidth || !(FPen == FToolPenOf)) {
        FToolPen = DevicePen(VectorColor(FPen.Mode, FPen.Color).value_or(FPen.Color));
        FToolPenOf = FPen;
        FToolPenWidth = w;
        if (FPainterPen == THeld::Tool) FPainterPen = THeld::Unknown;
    }
    return FToolPen;
}

const QBrush& QtCanvas::ToolBrush() {
    if (!FToolBrushBuilt || FToolBrushMode != FPen.Mode || !(FBrush == FToolBrushOf)) {
        FToolBrush = DeviceBrush(FBrush, VectorColor(FPen.Mode, FBrush.Color).value_or(FBrush.Color));
        FToolBrushOf = FBrush;
        FToolBrushMode = FPen.Mode;
        FToolBrushBuilt = true;
        if (FPainterBrush == THeld::Tool) FPainterBrush = THeld::Unknown;
    }
    return FToolBrush;
}

void QtCanvas::UseTools(bool pen, bool brush) {
    const THeld p = pen ? THeld::Tool : THeld::None;
    if (pen) ToolPen();
    if (FPainterPen != p) {
        FPainter.setPen(pen ? FToolPen : QPen(Qt::NoPen));
        FPainterPen = p;
    }
    const THeld b = brush ? THeld::Tool : THeld::None;
    if (brush) ToolBrush();
    if (FPainterBrush != b) {
        FPainter.setBrush(brush ? FToolBrush : QBrush(Qt::NoBrush));
        FPainterBrush = b;
    }
}

// Qt recomputes its raster state on every hint change, even to the same value.
void QtCanvas::SetSmooth(bool on) {
    if (FPainter.testRenderHint(QPainter::Antialiasing) != on) FPainter.setRenderHint(QPainter::Antialiasing, on);
}

int32_t QtCanvas::GetDeviceCaps(TDeviceCap cap) const {
    if (!FDevice) return 0;
    switch (cap) {
    case TDeviceCap::HORZSIZE: return FDevice->widthMM();
    case TDeviceCap::VERTSIZE: return FDevice->heightMM();
    case TDeviceCap::HORZRES: return FDevice->width();
    case TDeviceCap::VERTRES: return FDevice->height();
    case TDeviceCap::LOGPIXELSX: return FDevice->logicalDpiX();
    case TDeviceCap::LOGPIXELSY: return FDevice->logicalDpiY();
    }
    return 0;
}

// ---- Painting with the pen mode ------------------------------------------

void QtCanvas::Paint(const QPainterPath* fill, const QPainterPath* outline) {
    if (!FPainter.isActive() || FPen.Mode == TPenMode::pmNop) return;
    if (FBrush.Style == TBrushStyle::bsClear) fill = nullptr;
    if (FPen.Style == TPenStyle::psClear) outline = nullptr;
    if (!fill && !outline) return;
    if (FImage && FPen.Mode != TPenMode::pmCopy) {
        PaintRaster(fill, outline);
        return;
    }
    FPainter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    SetSmooth(FAntialiasing && FPen.Mode == TPenMode::pmCopy);
    if (fill) FPainter.fillPath(*fill, ToolBrush());
    if (outline) {
        UseTools(true, false);
        // Smooth lines through pixel centres stay sharp instead of straddling two pixels.
        if (FAntialiasing)
            FPainter.drawPath(outline->translated(0.5, 0.5));
        else
            FPainter.drawPath(*outline);
    }
}

// Raster operations on the backing image. The figure is first drawn as a
// coverage mask (fill, then outline over it), so each pixel is combined once
// with the colour of the tool that covers it: drawing a figure twice in
// not-xor mode gives back every pixel, and outline and fill never cancel.
void QtCanvas::PaintRaster(const QPainterPath* fill, const QPainterPath* outline) {
    QRectF area;
    if (fill) area = fill->controlPointRect();
    if (outline) area = area.united(outline->controlPointRect());
    const int pad = std::max(1, DeviceLength(FPen.Width, false)) + 2;
    // Not cut to the clip's box: Qt strokes lines it cuts at the edge of the
    // image a little differently, so the mask ends where the image does.
    const QRect bounds = area.toAlignedRect().adjusted(-pad, -pad, pad, pad) & SurfaceRect();
    if (bounds.isEmpty()) return;

    QImage mask(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(0);
    {
        QPainter mp(&mask);
        mp.translate(-bounds.x(), -bounds.y());
        if (FClip) mp.setClipRegion(*FClip);
        if (fill) {
            QBrush marker = DeviceBrush(FBrush, clBlack);
            marker.setColor(QColor::fromRgba(BrushMark));
            // Hatches stay aligned to the device, not to the mask.
            mp.setBrushOrigin(0, 0);
            mp.fillPath(*fill, marker);
        }
        if (outline) {
            QPen marker = DevicePen(clBlack);
            marker.setColor(QColor::fromRgba(PenMark));
            mp.setPen(marker);
            mp.setBrush(Qt::NoBrush);
            mp.drawPath(*outline);
        }
    }

    // The operations are bitwise per channel, so they work on Qt's channel order too.
    const QRgb pen = ToQColor(FPen.Color).rgb();
    const QRgb brush = ToQColor(FBrush.Color).rgb();
    QImage patch(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    patch.fill(0);
    const QImage& dest = *FImage;
    for (int y = 0; y < bounds.height(); ++y) {
        const auto* m = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        const auto* d = reinterpret_cast<const QRgb*>(dest.constScanLine(bounds.y() + y)) + bounds.x();
        auto* out = reinterpret_cast<QRgb*>(patch.scanLine(y));
        for (int x = 0; x < bounds.width(); ++x)
            if (qAlpha(m[x]) != 0) out[x] = 0xFF000000u | RasterOp2(FPen.Mode, m[x] == PenMark ? pen : brush, d[x]);
    }
    FPainter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    FPainter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    FPainter.drawImage(bounds.topLeft(), patch);
}

// ---- Figures ---------------------------------------------------------------

void QtCanvas::MoveTo(int32_t x, int32_t y) { FPenPos = {x, y}; }

void QtCanvas::LineTo(int32_t x, int32_t y) {
    QPainterPath path(ToDevice(FPenPos.X, FPenPos.Y));
    path.lineTo(ToDevice(x, y));
    Paint(nullptr, &path);
    FPenPos = {x, y};
}

void QtCanvas::Polygon(std::span<const TPoint> pts) {
    if (pts.size() < 2) return;
    QPolygon poly(static_cast<int>(pts.size()));
    for (size_t i = 0; i < pts.size(); ++i) poly[static_cast<int>(i)] = ToDevice(pts[i].X, pts[i].Y);
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    path.setFillRule(FPolyFillMode == TPolyFillMode::WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    Paint(&path, &path);
}

void QtCanvas::Polyline(std::span<const TPoint> pts) {
    const uint32_t n = static_cast<uint32_t>(pts.size());
    PolyPolyline(pts, std::span<const uint32_t>(&n, 1));
}

void QtCanvas::PolyPolyline(std::span<const TPoint> pts, std::span<const uint32_t> counts) {
    QPainterPath path;
    size_t at = 0;
    for (uint32_t n : counts) {
        if (n > pts.size() - at) break; // counts beyond the points are ignored
        if (n >= 2) {
            path.moveTo(ToDevice(pts[at].X, pts[at].Y));
            for (size_t i = at + 1; i < at + n; ++i) path.lineTo(ToDevice(pts[i].X, pts[i].Y));
        }
        at += n;
    }
    if (!path.isEmpty()) Paint(nullptr, &path);
}

// Boxes of a boxed figure on the device. The fill takes the pixels whose
// centres lie inside; a one-pixel outline sets the pixels right and below its
// line, so that line runs one pixel inside; a wide outline is centred on the
// box edge (or kept within the box by an inside-frame pen).
bool QtCanvas::FigureBoxes(const TRect& r, QRectF& fill, QRectF& outline) const {
    const QRect d = ToDeviceRect(r);
    if (d.isEmpty()) return false;
    const int w = std::max(1, DeviceLength(FPen.Width, false));
    const double inset = FPen.Style == TPenStyle::psInsideFrame && w > 1 ? w / 2.0 : 0;
    fill = QRectF(d).adjusted(inset, inset, -inset, -inset);
    outline = w > 1 ? fill : QRectF(d).adjusted(0, 0, -1, -1);
    return fill.width() > 0 && fill.height() > 0;
}

void QtCanvas::PaintBoxed(const TRect& r, void (*addShape)(QPainterPath&, const QRectF&, double, double),
                          double rx, double ry) {
    QRectF box, line;
    if (!FigureBoxes(r, box, line)) return;
    QPainterPath fill, outline;
    addShape(fill, box, rx, ry);
    addShape(outline, line, rx, ry);
    Paint(&fill, &outline);
}

void QtCanvas::Rectangle(const TRect& r) {
    if (!DirectRectangle(r)) PaintBoxed(r, [](QPainterPath& p, const QRectF& b, double, double) { p.addRect(b); });
}

void QtCanvas::RoundRect(const TRect& r, int32_t cornerW, int32_t cornerH) {
    PaintBoxed(
        r, [](QPainterPath& p, const QRectF& b, double rx, double ry) { p.addRoundedRect(b, rx, ry); },
        DeviceLength(cornerW, false) / 2.0, DeviceLength(cornerH, true) / 2.0);
}

void QtCanvas::Ellipse(const TRect& r) {
    if (!DirectEllipse(r)) PaintBoxed(r, [](QPainterPath& p, const QRectF& b, double, double) { p.addEllipse(b); });
}

QPainterPath QtCanvas::ArcPath(const QRectF& box, TPoint start, TPoint end, TArcKind kind) const {
    const QPointF c = box.center();
    const double a = std::max(box.width() / 2, 0.5);
    const double b = std::max(box.height() / 2, 0.5);
    // Qt's arc angles are parametric; a device context gives rays from the centre.
    auto angle = [&](TPoint p) {
        const QPoint q = ToDevice(p.X, p.Y);
        return std::atan2((c.y() - q.y()) / b, (q.x() - c.x()) / a) * 180 / std::numbers::pi;
    };
    const double from = angle(start);
    double sweep = angle(end) - from;
    while (sweep <= 1e-9) sweep += 360; // the same ray twice is the whole ellipse
    while (sweep > 360) sweep -= 360;
    QPainterPath path;
    if (kind == TArcKind::akPie)
        path.moveTo(c);
    else
        path.arcMoveTo(box, from);
    path.arcTo(box, from, sweep);
    if (kind != TArcKind::akArc) path.closeSubpath();
    return path;
}

void QtCanvas::ArcFigure(const TRect& r, TPoint start, TPoint end, TArcKind kind) {
    QRectF box, line;
    if (!FigureBoxes(r, box, line)) return;
    const QPainterPath outline = ArcPath(line, start, end, kind);
    if (kind == TArcKind::akArc) {
        Paint(nullptr, &outline);
        return;
    }
    const QPainterPath fill = ArcPath(box, start, end, kind);
    Paint(&fill, &outline);
}

void QtCanvas::Arc(const TRect& r, TPoint start, TPoint end) { ArcFigure(r, start, end, TArcKind::akArc); }
void QtCanvas::Chord(const TRect& r, TPoint start, TPoint end) { ArcFigure(r, start, end, TArcKind::akChord); }
void QtCanvas::Pie(const TRect& r, TPoint start, TPoint end) { ArcFigure(r, start, end, TArcKind::akPie); }

void QtCanvas::FillRect(const TRect& r) { FillRegion(QRegion(ToDeviceRect(r)), FBrush); }

void QtCanvas::SetPixel(int32_t x, int32_t y, TColor c) {
    if (!FPainter.isActive()) return;
    FPainter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    FPainter.fillRect(QRect(ToDevice(x, y), QSize(1, 1)), ToQColor(c));
}

TColor QtCanvas::GetPixel(int32_t x, int32_t y) const {
    const QPoint p = ToDevice(x, y);
    if (!FImage || !FImage->valid(p)) return clNone;
    const QRgb c = FImage->pixel(p);
    return RGB(static_cast<uint8_t>(qRed(c)), static_cast<uint8_t>(qGreen(c)), static_cast<uint8_t>(qBlue(c)));
}

// ---- Text ------------------------------------------------------------------

QFont QtCanvas::DeviceFont() const {
    QFont f = QtFontOf(FFont, FMapping);
    // Whole-pixel glyphs unless asked otherwise; measured the same way.
    if (!FAntialiasing) f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

void QtCanvas::TextOut(int32_t x, int32_t y, const String& text) {
    if (!FPainter.isActive() || text.empty()) return;
    const QFont font = DeviceFont();
    const QFontMetrics m(font, FDevice);
    FPainter.save();
    FPainter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    FPainter.setRenderHint(QPainter::TextAntialiasing, FAntialiasing);
    FPainter.setFont(font);
    FPainter.setPen(ToQColor(FFont.Color));
    FPainter.translate(ToDevice(x, y));
    // Escapement turns counter-clockwise on the screen, Qt turns clockwise.
    if (FFont.Escapement) FPainter.rotate(-FFont.Escapement / 10.0);
    FPainter.drawText(QPoint(0, m.ascent()), ToQString(text));
    FPainter.restore();
}

TSize QtCanvas::TextExtent(const String& text) {
    const QFontMetrics m(DeviceFont(), FDevice);
    const double w = m.horizontalAdvance(ToQString(text));
    const double h = m.height();
    const double sx = std::abs(FMapping.ScaleX());
    const double sy = std::abs(FMapping.ScaleY());
    return {Round(sx > 0 ? w / sx : w), Round(sy > 0 ? h / sy : h)};
}

// ---- Regions and clipping ------------------------------------------------

QRegion QtCanvas::ToQRegion(const TRegion& rgn) {
    if (rgn.Empty()) return {};
    if (rgn.Kind() == TRegion::TKind::rkRect) {
        const TRect& b = rgn.Box();
        return QRegion(b.Left, b.Top, b.Width(), b.Height());
    }
    // Unite pairwise: a running union over many scan lines would be quadratic.
    std::vector<QRegion> parts;
    for (const TRect& r : rgn.Scans()) parts.emplace_back(r.Left, r.Top, r.Width(), r.Height());
    while (parts.size() > 1) {
        size_t n = 0;
        for (size_t i = 0; i < parts.size(); i += 2)
            parts[n++] = i + 1 < parts.size() ? parts[i].united(parts[i + 1]) : parts[i];
        parts.resize(n);
    }
    return parts.empty() ? QRegion() : parts.front();
}

void QtCanvas::FillRegion(const QRegion& rgn, const TBrush& brush) {
    if (!FPainter.isActive() || brush.Style == TBrushStyle::bsClear || rgn.isEmpty()) return;
    const QBrush b = DeviceBrush(brush, brush.Color);
    FPainter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    FPainter.setRenderHint(QPainter::Antialiasing, false);
    for (const QRect& r : rgn) FPainter.fillRect(r, b);
}

void QtCanvas::FillRgn(const TRegion& rgn, const TBrush& brush) { FillRegion(ToQRegion(rgn), brush); }

void QtCanvas::FrameRgn(const TRegion& rgn, const TBrush& brush, int32_t w, int32_t h) {
    // The frame is what erosion by the stroke size takes away; w and h are
    // logical like a pen's width.
    const QRegion all = ToQRegion(rgn);
    const int dx = std::max(1, DeviceLength(w, false));
    const int dy = std::max(1, DeviceLength(h, true));
    QRegion inner = all;
    for (int i = 1; i <= dx; ++i) inner = inner.intersected(all.translated(i, 0)).intersected(all.translated(-i, 0));
    QRegion eroded = inner;
    for (int i = 1; i <= dy; ++i) eroded = eroded.intersected(inner.translated(0, i)).intersected(inner.translated(0, -i));
    FillRegion(all.subtracted(eroded), brush);
}

void QtCanvas::ApplyClip() {
    FPixelArea = !FImage ? QRect()
                 : !FClip ? FImage->rect()
                 : FClip->rectCount() == 1 ? FClip->boundingRect() & FImage->rect()
                                           : QRect();
    if (!FPainter.isActive()) return;
    if (FClip)
        FPainter.setClipRegion(*FClip);
    else
        FPainter.setClipping(false);
}

void QtCanvas::SelectClipRgn(const TRegion* rgn) {
    FClip = rgn ? std::optional<QRegion>(ToQRegion(*rgn)) : std::nullopt;
    ApplyClip();
}

void QtCanvas::IntersectClipRect(const TRect& r) {
    FClip = (FClip ? *FClip : QRegion(SurfaceRect())).intersected(ToDeviceRect(r));
    ApplyClip();
}

TRect QtCanvas::GetClipBox() const {
    const QRect b = FClip ? FClip->boundingRect() : SurfaceRect();
    const TPoint a = FMapping.DPtoLP({b.x(), b.y()});
    const TPoint c = FMapping.DPtoLP({b.x() + b.width(), b.y() + b.height()});
    return {std::min(a.X, c.X), std::min(a.Y, c.Y), std::max(a.X, c.X), std::max(a.Y, c.Y)};
}

int32_t QtCanvas::SaveDC() {
    FSavedClips.push_back(FClip);
    return TCanvas::SaveDC();
}

void QtCanvas::RestoreDC(int32_t level) {
    const int32_t n = static_cast<int32_t>(FSavedClips.size());
    const int32_t at = level < 0 ? n + 1 + level : level;
    if (at < 1 || at > n) return;
    FClip = FSavedClips[static_cast<size_t>(at - 1)];
    FSavedClips.resize(static_cast<size_t>(at - 1));
    TCanvas::RestoreDC(level);
    ApplyClip();
}

// ---- Pictures --------------------------------------------------------------

void QtCanvas::DrawImage(QPoint a, QPoint b, const QImage& image, const QRect& source) {
    if (!FPainter.isActive() || image.isNull() || a.x() == b.x() || a.y() == b.y()) return;
    // Corners in the wrong order mirror the picture, as a stretching blit does.
    const bool flipX = b.x() < a.x();
    const bool flipY = b.y() < a.y();
    QImage part = source == image.rect() ? image : image.copy(source);
    if (flipX || flipY) part = std::move(part).mirrored(flipX, flipY);
    const QRect t(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                  QSize(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())));
    FPainter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    FPainter.setRenderHint(QPainter::SmoothPixmapTransform, FAntialiasing);
    FPainter.drawImage(t, part);
}

void QtCanvas::StretchDraw(const TRect& r, const TGraphic& graphic) {
    if (auto* mf = dynamic_cast<const TMetafile*>(&graphic)) {
        if (!mf->Data().empty()) PlayEnhMetaFile(*this, *mf, r);
        return;
    }
    if (graphic.Empty()) return;
    const QImage img = ToQImage(graphic);
    DrawImage(ToDevice(r.Left, r.Top), ToDevice(r.Right, r.Bottom), img, img.rect());
}

void QtCanvas::StretchBitmap(const TRect& dest, const TBitmap& src, const TRect& srcRect) {
    if (src.Empty()) return;
    const QImage img = ToQImage(src);
    const QRect s = QRect(QPoint(std::min(srcRect.Left, srcRect.Right), std::min(srcRect.Top, srcRect.Bottom)),
                          QSize(std::abs(srcRect.Width()), std::abs(srcRect.Height()))) & img.rect();
    if (s.isEmpty()) return;
    DrawImage(ToDevice(dest.Left, dest.Top), ToDevice(dest.Right, dest.Bottom), img, s);
}

bool QtCanvas::CopyToBitmap(const TRect& deviceRect, TBitmap& out) const {
    if (!FImage) return false;
    const int w = std::max(0, deviceRect.Width());
    const int h = std::max(0, deviceRect.Height());
    out.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QPoint p(deviceRect.Left + x, deviceRect.Top + y);
            if (!FImage->valid(p)) continue;
            const QRgb c = FImage->pixel(p);
            out.SetPixel(x, y, RGB(static_cast<uint8_t>(qRed(c)), static_cast<uint8_t>(qGreen(c)), static_cast<uint8_t>(qBlue(c))));
        }
    return true;
}

} // namespace vl

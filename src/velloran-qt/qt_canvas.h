#pragma once
// The canvas on Qt: a QPainter over a backing QImage, a printer, a PDF writer
// or an SVG generator. Figures are converted to device pixels with the core's
// own mapping and drawn with an identity painter transform, so every backend
// puts a logical point on the same pixel.

#include <QPainter>
#include <QPainterPath>
#include <QRegion>

#include <optional>
#include <vector>

#include "velloran/platform/canvas.h"

class QImage;
class QPaintDevice;

namespace vl {

/// The canvas on a QPainter: a raster image, a printer, a PDF writer or an SVG generator.
class QtCanvas : public TCanvas {
public:
    /// Paints on device until destroyed (or End). A QImage device is a raster
    /// target: exact pen modes, pixel reads and copies.
    explicit QtCanvas(QPaintDevice* device);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    /// Finishes painting (a PDF or SVG file is complete afterwards).
    void End();
    bool Active() const { return FPainter.isActive(); }
    QPaintDevice* Device() const { return FDevice; }
    /// The backing image of a raster target, else nullptr.
    QImage* Image() const { return FImage; }

    /// Smooth edges for figures drawn in pmCopy; off by default, as the other
    /// pen modes need whole pixels.
    bool Antialiasing() const { return FAntialiasing; }
    void SetAntialiasing(bool v) { FAntialiasing = v; }

    /// The font as Qt draws it on this device (height through the mapping).
    QFont DeviceFont() const;

    int32_t GetDeviceCaps(TDeviceCap cap) const override;

    void MoveTo(int32_t x, int32_t y) override;
    void LineTo(int32_t x, int32_t y) override;
    void Polygon(std::span<const TPoint> pts) override;
    void Polyline(std::span<const TPoint> pts) override;
    void PolyPolyline(std::span<const TPoint> pts, std::span<const uint32_t> counts) override;
    void Rectangle(const TRect& r) override;
    void RoundRect(const TRect& r, int32_t cornerW, int32_t cornerH) override;
    void Ellipse(const TRect& r) override;
    void Arc(const TRect& r, TPoint start, TPoint end) override;
    void Chord(const TRect& r, TPoint start, TPoint end) override;
    void Pie(const TRect& r, TPoint start, TPoint end) override;
    void FillRect(const TRect& r) override;
    void TextOut(int32_t x, int32_t y, const String& text) override;
    TSize TextExtent(const String& text) override;
    void SetPixel(int32_t x, int32_t y, TColor c) override;
    TColor GetPixel(int32_t x, int32_t y) const override;

    void FillRgn(const TRegion& rgn, const TBrush& brush) override;
    void FrameRgn(const TRegion& rgn, const TBrush& brush, int32_t w, int32_t h) override;
    void SelectClipRgn(const TRegion* rgn) override;
    void IntersectClipRect(const TRect& r) override;
    TRect GetClipBox() const override;
    int32_t SaveDC() override;
    void RestoreDC(int32_t level) override;

    void StretchDraw(const TRect& r, const TGraphic& graphic) override;
    void StretchBitmap(const TRect& dest, const TBitmap& src, const TRect& srcRect) override;
    bool CopyToBitmap(const TRect& deviceRect, TBitmap& out) const override;

    /// A region in device pixels as Qt holds it.
    static QRegion ToQRegion(const TRegion& rgn);

protected:
    /// For owners that must create their device before painting starts.
    QtCanvas() = default;
    void Begin(QPaintDevice* device);

private:
    QPoint ToDevice(int32_t x, int32_t y) const;
    /// Device rectangle of a logical one, normalised; exclusive right/bottom.
    QRect ToDeviceRect(const TRect& r) const;
    bool FigureBoxes(const TRect& r, QRectF& fill, QRectF& outline) const;
    /// A boxed figure: addShape adds the same shape for the fill box and for
    /// the outline box, then both are painted.
    void PaintBoxed(const TRect& r, void (*addShape)(QPainterPath&, const QRectF&, double, double),
                    double rx = 0, double ry = 0);
    int DeviceLength(int32_t logical, bool vertical) const;
    QRect SurfaceRect() const;
    QPen DevicePen(TColor color) const;
    QBrush DeviceBrush(const TBrush& b, TColor color) const;
    // FPen and FBrush as Qt tools, rebuilt only when they (or the pen's
    // device width) change: most figures in a paint share their tools.
    const QPen& ToolPen();
    const QBrush& ToolBrush();
    // Puts the tool pen or none, and the tool brush or none, on the painter
    // unless it holds them already.
    void UseTools(bool pen, bool brush);
    void SetSmooth(bool on);
    // Copy mode on whole pixels with a solid or clear brush: figures may be
    // drawn straight by Qt where that gives the path route's pixels. The
    // Direct figures return false to leave a figure to the path route.
    bool DirectTools() const;
    bool DirectRectangle(const TRect& r);
    void FillPixels(const QRect& r, QRgb c);
    bool DirectEllipse(const TRect& r);
    void ApplyClip();
    /// Draws fill with the brush and outline with the pen, each pixel touched
    /// once, through the pen mode.
    void Paint(const QPainterPath* fill, const QPainterPath* outline);
    void PaintRaster(const QPainterPath* fill, const QPainterPath* outline);
    void FillRegion(const QRegion& rgn, const TBrush& brush);
    void DrawImage(QPoint a, QPoint b, const QImage& image, const QRect& source);
    enum class TArcKind : uint8_t { akArc, akChord, akPie };
    QPainterPath ArcPath(const QRectF& box, TPoint start, TPoint end, TArcKind kind) const;
    void ArcFigure(const TRect& r, TPoint start, TPoint end, TArcKind kind);

    QPaintDevice* FDevice = nullptr;
    QImage* FImage = nullptr;
    QPainter FPainter;
    bool FAntialiasing = false;
    // What the cached tools were built from, and what the painter holds.
    TPen FToolPenOf;
    int FToolPenWidth = -1;
    QPen FToolPen;
    TBrush FToolBrushOf;
    TPenMode FToolBrushMode = TPenMode::pmCopy;
    bool FToolBrushBuilt = false;
    QBrush FToolBrush;
    enum class THeld : uint8_t { Unknown, None, Tool };
    THeld FPainterPen = THeld::Unknown;
    THeld FPainterBrush = THeld::Unknown;
    std::optional<QRegion> FClip;
    // Where figures may be written straight into the image: all of it, or
    // the clip's one rectangle.
    QRect FPixelArea;
    std::vector<std::optional<QRegion>> FSavedClips;
};

} // namespace vl

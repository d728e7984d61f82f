// QtCanvas: figures drawn straight, without paths, where that gives exactly
// the pixels of the path route; the common figures of a repaint cost a
// fraction that way.

#include "velloran-qt/qt_canvas.h"

#include <QImage>

#include <algorithm>

namespace vl {

bool QtCanvas::DirectTools() const {
    return FPainter.isActive() && FPen.Mode == TPenMode::pmCopy && !FAntialiasing &&
           (FBrush.Style == TBrushStyle::bsSolid || FBrush.Style == TBrushStyle::bsClear);
}

// A rectangle is a fill and Qt's stroke of the outline box, whatever the pen.
bool QtCanvas::DirectRectangle(const TRect& r) {
    const bool pen = FPen.Style != TPenStyle::psClear;
    const bool brush = FBrush.Style != TBrushStyle::bsClear;
    if (!DirectTools()) return false;
    if (!pen && !brush) return true;
    // A one-pixel inside-frame pen is a solid one.
    const bool thinSolid = !pen || (ToolPen().style() == Qt::SolidLine && FToolPenWidth == 1);
    // Vector targets keep their wide and dashed outlines as paths.
    if (!thinSolid && !FImage) return false;
    QRectF box, line;
    if (!FigureBoxes(r, box, line)) return true;
    // Qt dashes a flat outline box differently from the path's.
    if (!thinSolid && line.isEmpty()) return false;
    FPainter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    SetSmooth(false);
    const QRect d = box.toRect();
    if (thinSolid && FImage && d.width() >= 2 && d.height() >= 2 && FImage->rect().contains(d)) {
        // On pixels a one-pixel frame is the rim of the box: filling it skips
        // Qt's line stroker, the larger part of the cost. Only within the
        // image: the stroker leaves out a corner of lines it cuts at the edge.
        const bool straight = FPixelArea.contains(d);
        auto paint = [&](const QRect& part, const QColor& c) {
            if (straight)
                FillPixels(part, c.rgb());
            else
                FPainter.fillRect(part, c);
        };
        const QColor fill = ToolBrush().color();
        if (!pen) {
            paint(d, fill);
            return true;
        }
        const QColor rim = FToolPen.color();
        if (brush) {
            paint(d, rim);
            paint(d.adjusted(1, 1, -1, -1), fill);
            return true;
        }
        paint(QRect(d.left(), d.top(), d.width(), 1), rim);
        paint(QRect(d.left(), d.bottom(), d.width(), 1), rim);
        paint(QRect(d.left(), d.top() + 1, 1, d.height() - 2), rim);
        paint(QRect(d.right(), d.top() + 1, 1, d.height() - 2), rim);
        return true;
    }
    if (brush) FPainter.fillRect(box, ToolBrush().color());
    if (pen) {
        UseTools(true, false);
        FPainter.drawRect(line);
    }
    return true;
}

// An opaque copy written straight into the image, within FPixelArea: for a
// small figure QPainter's set-up per call costs more than the pixels. The
// painter draws into the same memory at once, so the two never disagree.
void QtCanvas::FillPixels(const QRect& r, QRgb c) {
    if (r.isEmpty()) return;
    const qsizetype stride = FImage->bytesPerLine();
    uchar* row = FImage->scanLine(r.top());
    for (int y = r.top(); y <= r.bottom(); ++y, row += stride)
        std::fill_n(reinterpret_cast<QRgb*>(row) + r.left(), r.width(), c);
}

// Qt draws whole-pixel ellipses with a thin solid pen, or none, by its own
// midpoint routine, whose pixels differ from the path's; with other pens it
// fills and strokes the same curves as the path route.
bool QtCanvas::DirectEllipse(const TRect& r) {
    if (!FImage || !DirectTools() || FPen.Style == TPenStyle::psClear) return false;
    const bool thin = ToolPen().widthF() <= 1;
    if (thin && FToolPen.style() == Qt::SolidLine) return false;
    QRectF box, line;
    if (!FigureBoxes(r, box, line)) return true;
    const bool brush = FBrush.Style != TBrushStyle::bsClear;
    FPainter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    SetSmooth(false);
    if (!thin) {
        // Fill and outline share the box: one call draws both.
        UseTools(true, brush);
        FPainter.drawEllipse(box);
        return true;
    }
    if (brush) {
        QPainterPath fill;
        fill.addEllipse(box);
        FPainter.fillPath(fill, ToolBrush());
    }
    UseTools(true, false);
    FPainter.drawEllipse(line);
    return true;
}

} // namespace vl

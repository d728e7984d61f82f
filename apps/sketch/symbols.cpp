#include "symbols.h"

#include <QPainter>
#include <QPainterPath>

#include <velloran-qt/qt_image.h>
#include <velloran/generators/custom_generator.h>
#include <velloran/platform/graphics.h>
#include <velloran/platform/picture.h>
#include <velloran/text/text_creators.h>
#include <velloran/tools/creator.h>
#include <velloran/tools/line_depends.h>

namespace sketch {

using namespace vl;

namespace {

QColor ToQColor(TColor c) {
    c = ColorToRGB(c);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

constexpr int IconSize = 32;

} // namespace

QImage NorthArrowImage(int size) {
    QImage img(size, size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 100.0;
    p.scale(s, s);
    p.setPen(QPen(QColor(30, 30, 30), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(50, 56), 36, 36);
    // The arrow: dark on its right half, open on the left, as plans draw it.
    QPainterPath left, right;
    left.moveTo(50, 22);
    left.lineTo(32, 84);
    left.lineTo(50, 72);
    left.closeSubpath();
    right.moveTo(50, 22);
    right.lineTo(68, 84);
    right.lineTo(50, 72);
    right.closeSubpath();
    p.setPen(QPen(QColor(30, 30, 30), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(250, 250, 250));
    p.drawPath(left);
    p.setBrush(QColor(30, 30, 30));
    p.drawPath(right);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(20);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(35, 0, 30, 20), Qt::AlignCenter, QStringLiteral("N"));
    return img;
}

TPicture PictureOf(const QImage& image) {
    auto bmp = std::make_unique<TBitmap>();
    FromQImage(image, *bmp);
    bmp->SetTransparent(true);
    TPicture pic;
    pic.SetGraphic(std::move(bmp));
    return pic;
}

QIcon ToolIcon(const TMouseTool* tool) {
    QPixmap pm(IconSize, IconSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const auto* creator = dynamic_cast<const TvlCreator*>(tool);
    if (!creator) {
        QPolygonF arrow({{9, 4}, {9, 26}, {14, 21}, {18, 29}, {21, 28}, {17, 20}, {24, 20}});
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(Qt::white);
        p.drawPolygon(arrow);
        return QIcon(pm);
    }
    const TCustomGenerator& g = creator->Generator();
    if (const auto* lines = dynamic_cast<const TCustomLines*>(creator)) {
        p.setPen(QPen(ToQColor(g.Pen().Color), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        if (dynamic_cast<const TCustomLineDepends*>(lines)) {
            // A cable between two symbols.
            p.drawLine(QPointF(8, 24), QPointF(24, 8));
            p.setPen(QPen(Qt::black, 1.5));
            p.setBrush(QColor(198, 219, 239));
            p.drawRect(QRectF(3, 19, 9, 9));
            p.drawRect(QRectF(20, 4, 9, 9));
            return QIcon(pm);
        }
        if (lines->PolyShape()) {
            p.drawPolyline(QPolygonF({{4, 26}, {12, 8}, {20, 22}, {28, 6}}));
            return QIcon(pm);
        }
        if (g.Shape() == TShapetype::stLine) {
            p.drawLine(QPointF(5, 27), QPointF(27, 5));
            return QIcon(pm);
        }
        // Box shapes: the two corners that span them.
        p.setPen(QPen(ToQColor(g.Pen().Color), 2, Qt::DashLine));
        p.drawRect(QRectF(6, 9, 20, 14));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(50, 60, 75));
        p.drawEllipse(QPointF(6, 9), 2.5, 2.5);
        p.drawEllipse(QPointF(26, 23), 2.5, 2.5);
        return QIcon(pm);
    }
    if (!g.Picture().Empty()) {
        const QImage img = ToQImage(*g.Picture().Graphic());
        p.drawImage(QRect(2, 2, IconSize - 4, IconSize - 4), img);
        return QIcon(pm);
    }
    if (dynamic_cast<const TvlText*>(creator)) {
        // Texts have no size of their own: a letter, framed for a label.
        const QRectF r(3, 6, IconSize - 6, IconSize - 12);
        if (dynamic_cast<const TvlTextlabs*>(creator)) {
            p.setPen(QPen(ToQColor(g.Pen().Color), 1.5));
            p.setBrush(QBrush(ToQColor(g.Brush().Color)));
            p.drawRoundedRect(r, 25, 25, Qt::RelativeSize);
        }
        QFont f(QStringLiteral("Liberation Serif"));
        f.setPixelSize(IconSize / 2);
        p.setFont(f);
        p.setPen(ToQColor(g.Font().Color));
        p.drawText(r, Qt::AlignCenter, QStringLiteral("Ab"));
        return QIcon(pm);
    }
    p.setPen(QPen(ToQColor(g.Pen().Color), 2));
    p.setBrush(g.Brush().Style == TBrushStyle::bsClear ? QBrush(Qt::NoBrush)
                                                       : QBrush(ToQColor(g.Brush().Color)));
    // The creator's proportions in the icon; circles and squares stay round and square.
    double w = g.Width(), h = g.Height();
    const TShapetype shape = g.Shape();
    if (shape == TShapetype::stCircle || shape == TShapetype::stSquare ||
        shape == TShapetype::stRoundSquare)
        w = h = std::min(w, h);
    const double k = (IconSize - 6) / std::max(w, h);
    const QRectF r((IconSize - w * k) / 2, (IconSize - h * k) / 2, w * k, h * k);
    switch (shape) {
    case TShapetype::stEllipse:
    case TShapetype::stCircle:
        p.drawEllipse(r);
        break;
    case TShapetype::stRoundRect:
    case TShapetype::stRoundSquare:
        p.drawRoundedRect(r, 25, 25, Qt::RelativeSize);
        break;
    default:
        p.drawRect(r);
        break;
    }
    return QIcon(pm);
}

QIcon ViewIconOf(ViewIcon kind) {
    QPixmap pm(IconSize, IconSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(50, 60, 75);
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap));
    switch (kind) {
    case ViewIcon::ZoomIn:
    case ViewIcon::ZoomOut:
        p.drawEllipse(QPointF(13, 13), 8, 8);
        p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(19, 19), QPointF(27, 27));
        p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9, 13), QPointF(17, 13));
        if (kind == ViewIcon::ZoomIn) p.drawLine(QPointF(13, 9), QPointF(13, 17));
        break;
    case ViewIcon::Fit:
        p.drawRect(QRectF(9, 10, 14, 12));
        for (QPointF c : {QPointF(3, 3), QPointF(29, 3), QPointF(3, 29), QPointF(29, 29)}) {
            const double dx = c.x() < 16 ? 4 : -4, dy = c.y() < 16 ? 4 : -4;
            p.drawLine(c, c + QPointF(dx, 0));
            p.drawLine(c, c + QPointF(0, dy));
        }
        break;
    case ViewIcon::Grid:
    case ViewIcon::Snap:
        p.setPen(QPen(QColor(150, 160, 175), 1));
        for (int i = 4; i <= 28; i += 8) {
            p.drawLine(QPointF(i + 0.5, 4), QPointF(i + 0.5, 28));
            p.drawLine(QPointF(4, i + 0.5), QPointF(28, i + 0.5));
        }
        if (kind == ViewIcon::Snap) {
            // A symbol sitting on a grid point.
            p.setPen(QPen(ink, 1.5));
            p.setBrush(QColor(198, 219, 239));
            p.drawRect(QRectF(8.5, 8.5, 16, 16));
            p.setBrush(ink);
            p.drawEllipse(QPointF(20.5, 20.5), 2.5, 2.5);
        }
        break;
    }
    return QIcon(pm);
}

} // namespace sketch

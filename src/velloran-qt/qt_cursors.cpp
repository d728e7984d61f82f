#include "velloran-qt/qt_cursors.h"

#include <QImage>
#include <QPixmap>

#include <map>
#include <optional>

namespace vl {

namespace {

std::map<TCursor, TCursorImage>& Table() {
    static std::map<TCursor, TCursorImage> table;
    return table;
}

std::optional<Qt::CursorShape> StockShape(TCursor Number) {
    switch (Number) {
    case crDefault:
    case crArrow: return Qt::ArrowCursor;
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return std::nullopt;
    }
}

} // namespace

void RegisterQtCursor(TCursor Number, const TCursorImage& Image) { Table()[Number] = Image; }

bool HasQtCursor(TCursor Number) {
    if (StockShape(Number)) return true;
    if (Table().count(Number)) return true;
    return LibraryCursorImage(Number).Width > 0;
}

QCursor CursorFromImage(const TCursorImage& Image) {
    if (Image.Width <= 0 || Image.Height <= 0 ||
        Image.Pixels.size() < static_cast<size_t>(Image.Width) * static_cast<size_t>(Image.Height))
        return QCursor(Qt::ArrowCursor);
    QImage img(Image.Width, Image.Height, QImage::Format_ARGB32);
    for (int y = 0; y < Image.Height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < Image.Width; ++x) {
            switch (Image.Pixels[static_cast<size_t>(y) * Image.Width + x]) {
            case 1: line[x] = qRgba(0, 0, 0, 255); break;
            case 2: line[x] = qRgba(255, 255, 255, 255); break;
            default: line[x] = qRgba(0, 0, 0, 0); break;
            }
        }
    }
    return QCursor(QPixmap::fromImage(img), Image.HotSpot.X, Image.HotSpot.Y);
}

QCursor ToQCursor(TCursor Number) {
    if (auto shape = StockShape(Number)) return QCursor(*shape);
    auto it = Table().find(Number);
    if (it != Table().end()) return CursorFromImage(it->second);
    const TCursorImage lib = LibraryCursorImage(Number);
    if (lib.Width > 0) return CursorFromImage(lib);
    return QCursor(Qt::ArrowCursor);
}

} // namespace vl

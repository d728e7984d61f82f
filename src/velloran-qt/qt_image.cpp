#include "velloran-qt/qt_image.h"

#include <QBuffer>
#include <QImageReader>

namespace vl {

namespace {
QRgb ToQRgb(TColor c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }
TColor FromQRgb(QRgb c) { return RGB(static_cast<uint8_t>(qRed(c)), static_cast<uint8_t>(qGreen(c)), static_cast<uint8_t>(qBlue(c))); }
} // namespace

QImage ToQImage(const TBitmap& bmp) {
    QImage img(bmp.Width(), bmp.Height(), QImage::Format_RGB32);
    const auto& px = bmp.Pixels();
    for (int y = 0; y < bmp.Height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < bmp.Width(); ++x) line[x] = ToQRgb(px[static_cast<size_t>(y) * bmp.Width() + x]);
    }
    return img;
}

QImage ToQImage(const TBitmap& bmp, const std::vector<bool>& mask) {
    QImage img = ToQImage(bmp).convertToFormat(QImage::Format_ARGB32);
    const size_t n = std::min(mask.size(), static_cast<size_t>(bmp.Width()) * bmp.Height());
    for (size_t i = 0; i < n; ++i) {
        if (!mask[i]) continue;
        const int y = static_cast<int>(i / bmp.Width());
        reinterpret_cast<QRgb*>(img.scanLine(y))[i % bmp.Width()] = 0;
    }
    return img;
}

QImage ToQImage(const TGraphic& graphic) {
    if (auto* bmp = dynamic_cast<const TBitmap*>(&graphic))
        return bmp->Transparent() ? ToQImage(*bmp, bmp->Mask()) : ToQImage(*bmp);
    if (auto* icon = dynamic_cast<const TIcon*>(&graphic)) return ToQImage(icon->Image(), icon->Mask());
    if (auto* jpeg = dynamic_cast<const TJPEGImage*>(&graphic)) {
        const TBitmap& bmp = jpeg->Bitmap();
        return jpeg->Transparent() ? ToQImage(bmp, bmp.Mask()) : ToQImage(bmp);
    }
    return {};
}

void FromQImage(const QImage& image, TBitmap& out) {
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    out.SetSize(img.width(), img.height());
    for (int y = 0; y < img.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) out.SetPixel(x, y, FromQRgb(line[x]));
    }
}

void InstallImageDecoder() {
    SetImageDecoder([](const std::vector<uint8_t>& bytes, TBitmap& out) {
        QByteArray data(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        reader.setAutoTransform(true);
        QImage img;
        if (!reader.read(&img) || img.isNull()) return false;
        FromQImage(img, out);
        return true;
    });
}

} // namespace vl

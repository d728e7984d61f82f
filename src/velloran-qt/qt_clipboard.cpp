#include "velloran-qt/qt_clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QSvgGenerator>
#include <QUrl>

#include "velloran-qt/qt_canvas.h"
#include "velloran-qt/qt_image.h"
#include "velloran/foundations/errors.h"
#include "velloran/platform/metafile.h"

namespace vl {

namespace {

const QString MimeEmf = QStringLiteral("image/emf");
const QString MimeSvg = QStringLiteral("image/svg+xml");

QByteArray ToBytes(const std::vector<uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

std::vector<uint8_t> FromBytes(const QByteArray& b) {
    return std::vector<uint8_t>(reinterpret_cast<const uint8_t*>(b.constData()),
                                reinterpret_cast<const uint8_t*>(b.constData()) + b.size());
}

// The metafile played onto a canvas over device; the canvas's identity
// mapping makes the picture's pixels the device's pixels.
void Play(QPaintDevice& device, const TMetafile& mf) {
    QtCanvas canvas(&device);
    PlayEnhMetaFile(canvas, mf, {0, 0, mf.Width(), mf.Height()});
}

} // namespace

QtClipboard::QtClipboard() = default;
QtClipboard::~QtClipboard() = default;

TClipboardFormat QtClipboard::RegisterClipboardFormat(const String& Name) {
    const QString name = QString::fromStdU16String(Name);
    const QString key = name.toLower();
    auto it = FFormats.find(key);
    if (it != FFormats.end()) return it->second;
    const TClipboardFormat format = FNextFormat++;
    FFormats[key] = format;
    // Percent-encoding keeps any name a valid, collision-free MIME subtype.
    FMimeTypes[format] = QStringLiteral("application/x-velloran-") + QString::fromLatin1(QUrl::toPercentEncoding(key));
    return format;
}

QString QtClipboard::MimeType(TClipboardFormat Format) const {
    if (Format == CF_ENHMETAFILE) return MimeEmf;
    if (Format == CF_BITMAP) return QStringLiteral("image/png");
    auto it = FMimeTypes.find(Format);
    if (it != FMimeTypes.end()) return it->second;
    // Unregistered numbers still get a type of their own.
    return QStringLiteral("application/x-velloran-cf%1").arg(Format);
}

void QtClipboard::Open() { ++FOpenCount; }

void QtClipboard::Close() {
    if (FOpenCount == 0) return;
    if (--FOpenCount == 0 && FPending) Commit();
}

QMimeData& QtClipboard::Target() {
    // The first write of an opening (or any write while closed) starts over.
    if (!FPending) FPending = std::make_unique<QMimeData>();
    return *FPending;
}

void QtClipboard::Commit() {
    // The clipboard takes ownership of the data.
    QGuiApplication::clipboard()->setMimeData(FPending.release());
}

const QMimeData* QtClipboard::Source() const {
    if (FPending) return FPending.get();
    return QGuiApplication::clipboard()->mimeData();
}

void QtClipboard::Clear() {
    if (FOpenCount > 0) {
        FPending = std::make_unique<QMimeData>();
        return;
    }
    FPending.reset();
    QGuiApplication::clipboard()->clear();
}

bool QtClipboard::HasFormat(TClipboardFormat Format) const {
    const QMimeData* data = Source();
    if (!data) return false;
    if (Format == CF_BITMAP) return data->hasImage();
    return data->hasFormat(MimeType(Format));
}

void QtClipboard::SetAsHandle(TClipboardFormat Format, std::vector<uint8_t> Data) {
    Target().setData(MimeType(Format), ToBytes(Data));
    if (FOpenCount == 0) Commit();
}

bool QtClipboard::GetAsHandle(TClipboardFormat Format, std::vector<uint8_t>& Data) const {
    const QMimeData* data = Source();
    const QString mime = MimeType(Format);
    if (!data || !data->hasFormat(mime)) return false;
    Data = FromBytes(data->data(mime));
    return true;
}

void QtClipboard::SetBitmap(const TBitmap& Bitmap) {
    Target().setImageData(ToQImage(Bitmap));
    if (FOpenCount == 0) Commit();
}

bool QtClipboard::GetBitmap(TBitmap& Bitmap) const {
    const QMimeData* data = Source();
    if (!data || !data->hasImage()) return false;
    const QImage image = qvariant_cast<QImage>(data->imageData());
    if (image.isNull()) return false;
    FromQImage(image, Bitmap);
    return true;
}

void QtClipboard::SetMetafile(const TMetafile& Metafile) {
    QMimeData& target = Target();
    target.setData(MimeEmf, ToBytes(Metafile.Data()));
    const int w = Metafile.Width(), h = Metafile.Height();
    if (w > 0 && h > 0) {
        QBuffer svg;
        svg.open(QIODevice::WriteOnly);
        {
            QSvgGenerator generator;
            generator.setOutputDevice(&svg);
            generator.setSize(QSize(w, h));
            generator.setViewBox(QRect(0, 0, w, h));
            Play(generator, Metafile);
        }
        target.setData(MimeSvg, svg.data());

        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::white);
        Play(image, Metafile);
        target.setImageData(image);
    }
    if (FOpenCount == 0) Commit();
}

bool QtClipboard::GetMetafile(TMetafile& Metafile) const {
    const QMimeData* data = Source();
    if (!data || !data->hasFormat(MimeEmf)) return false;
    try {
        Metafile.SetData(FromBytes(data->data(MimeEmf)));
    } catch (const EInvalidGraphic&) {
        // Another program's malformed picture reads as no picture.
        return false;
    }
    return true;
}

} // namespace vl

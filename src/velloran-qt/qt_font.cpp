#include "velloran-qt/qt_font.h"

#include <QFontDatabase>
#include <QFontMetricsF>

#include <cmath>
#include <cstdlib>

#include "velloran/foundations/round.h"

namespace vl {

QString ToQString(const String& s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

String FromQString(const QString& s) {
    return String(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<size_t>(s.size()));
}

QString QtFaceName(const String& name) {
    const QString face = ToQString(name);
    if (face.compare(QString::fromUtf16(DefaultFontName), Qt::CaseInsensitive) == 0 || face.isEmpty())
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    return face;
}

QFont QtFontOf(const TFont& font, const TMapping& mapping) {
    QFont f(QtFaceName(font.Name));
    f.setWeight((font.Style & fsBold) ? QFont::Bold : QFont::Normal);
    f.setItalic(font.Style & fsItalic);
    f.setUnderline(font.Style & fsUnderline);
    f.setStrikeOut(font.Style & fsStrikeOut);
    if (font.Pitch == TFontPitch::fpFixed) {
        f.setFixedPitch(true);
        f.setStyleHint(QFont::TypeWriter);
    }
    // Extents are sums of advances, as a device context measures them.
    f.setKerning(false);

    // A zero height asks for the device's default size.
    const int32_t logical = font.Height == 0 ? -12 : font.Height;
    const double device = std::abs(logical * mapping.ScaleY());
    int px = std::max(1, Round(device));
    if (logical > 0) {
        // Cell height: find the em size whose ascent plus descent fills it.
        QFont probe(f);
        probe.setPixelSize(256);
        const QFontMetricsF m(probe);
        const double cell = m.ascent() + m.descent();
        if (cell > 0) px = std::max(1, Round(device * 256.0 / cell));
    }
    f.setPixelSize(px);
    return f;
}

} // namespace vl
